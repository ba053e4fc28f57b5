#pragma once

#include "engine/rounding.h"

// How a network learns: settings that travel with the network, beside its weights. A default
// setting leaves learning exactly as the classic rule has it.
struct LearningSettings {
    // How learning rounds its stochastic divisions (engine/rounding.h).
    Rounding rounding = Rounding::Classic;

    bool operator==(const LearningSettings&) const = default;
};
