#pragma once

#include <cstdint>
#include <vector>

#include "engine/learning_constants.h"
#include "engine/vector_kernels.h"

// The working memory of the vector paths' Learn, kept with the network so that a pass allocates
// nothing after the first.
struct LearnScratch {
    // Room after a chunk for whole vectors of the widest kernel.
    static constexpr int32_t Spare = 64;

    // A chunk's deltas, and its contributions to the band before, by position.
    int32_t deltas[LearnChunk + Spare];
    int32_t sent[LearnChunk + Spare];
    // The chunk's steps that the kernel left to the scalar rule, a bit per position.
    uint64_t undecided[4][LearnChunk / 64];
    // The target of each output neuron, in neuron order.
    std::vector<uint8_t> targetsByNeuron;
    // The kernels' job, whose fields for the network are set on first use.
    LearnChunksJob job{};
};
