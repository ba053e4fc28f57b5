#pragma once

#include <cstdint>

// What a document tells its views has changed.
enum class UpdateHint : int32_t {
    All = 0,           // everything may have changed: shape, data, progress
    TrainingPass = 2,  // one training pass was made: only the progress changed
};
