#pragma once

#include <cstdint>
#include <string>

#include "engine/rounding.h"

// The most classes an evaluation tells apart (its confusion matrix has this many squared cells).
inline constexpr uint32_t MaxClassCount = 1024;

// Keeping the best network while training: every few passes the network is evaluated, and the
// weights of the best evaluation so far are kept, to be restored or saved at the end.
struct KeepBestSettings {
    bool enabled = false;
    // Passes between two evaluations; 0 chooses by DefaultEvaluationInterval (best_network.h).
    uint32_t every = 0;
    // The training-data file evaluated on; empty for the network's own training patterns.
    std::string validationPath;

    bool operator==(const KeepBestSettings&) const = default;
};

// How a network learns: settings that travel with the network, beside its weights. A default
// setting leaves learning exactly as the classic rule has it.
struct LearningSettings {
    // How learning rounds its stochastic divisions (engine/rounding.h).
    Rounding rounding = Rounding::Classic;
    KeepBestSettings keepBest;
    // Classes the outputs stand for when the network is evaluated (output t belongs to class
    // t mod classes); 0 when the outputs are not classes, else 2 to MaxClassCount.
    uint32_t classes = 0;

    bool operator==(const LearningSettings&) const = default;
};
