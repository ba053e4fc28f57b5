#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/vector_kernels.h"

// Per row of a group: its levels, its band sources and its output slots, each with a vector's
// room to spare.
struct RowScratch {
    RowScratch(size_t neurons, size_t width, size_t outputs)
        : acrossInputs(width * 16 + 64), acrossLevels(neurons * 16 + 64)
    {
        for (int32_t row = 0; row < ForwardRowsJob::MaxRows; ++row) {
            levels[row].resize(neurons + 64);
            sources[row].resize(width + 2 + 64);
            slots[row].resize(outputs + 64);
        }
    }
    std::vector<uint8_t> levels[ForwardRowsJob::MaxRows];
    std::vector<uint8_t> sources[ForwardRowsJob::MaxRows];
    std::vector<uint8_t> slots[ForwardRowsJob::MaxRows];
    // For ForwardAcrossJob, up to 16 lanes.
    std::vector<uint8_t> acrossInputs;
    std::vector<uint8_t> acrossLevels;
};
