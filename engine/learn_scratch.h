#pragma once

#include <cstdint>
#include <vector>

#include "engine/learning_rules.h"

// The working memory of Learn, kept with the network so that a pass allocates nothing.
struct LearnScratch {
    // Room after a chunk for a whole vector of the widest kernel.
    static constexpr int32_t Spare = 16;

    ChunkUniforms uniforms;
    // The errors the chunk's neurons send through inputs 1..3: [m - 1][p + m - 1] for neuron p,
    // so that the three arrays added position by position give each source's total.
    int32_t contributions[3][LearnChunk + 2 + Spare];
    // The target of each output neuron, in neuron order.
    std::vector<uint8_t> targetsByNeuron;

    // A chunk's last, partial vector, copied out so that a kernel can run on a whole vector.
    struct Staging {
        uint8_t levels[Spare];
        uint8_t inputs[3][Spare];
        uint8_t weights[4][Spare];
        int32_t errors[Spare];
        uint8_t targets[Spare];
        uint32_t deltaUniforms[Spare];
        uint32_t stepUniforms[4][Spare];
        int32_t contributions[3][Spare + 2];
    } staging;
};
