#pragma once

#include <cstdint>

#include "engine/learning_rules.h"
#include "engine/neuron_arrays.h"

// Learn one neuron at a time: the scalar path, and the vector paths' way through what their
// kernels leave to it.

// What the chunks of one Learn share.
struct LearnState {
    NeuronArrays::Fields neurons;
    const uint8_t* targets;  // by output: output t is neuron neuronCount - 1 - t
    int32_t neuronCount;
    int32_t width;
    int32_t firstOutput;
    int32_t rate;
    int64_t squaredErrors;
};

// Teaches the neurons top down to bottom (one chunk of the band that starts at bandStart), whose
// accumulators are final: deltas, propagation to the band before, weight steps.
void TeachChunkClassic(LearnState& state, int32_t top, int32_t bottom, int32_t bandStart, const uint16_t* drawn);
void TeachChunkPrecise(LearnState& state, int32_t top, int32_t bottom, int32_t bandStart, PreciseChunkDraws& draws);

// Steps weight m of the chunk's neuron at position p (from bottom) for every bit p of
// undecided[m] (words of 64 bits), in teaching order, by the precise rule from its first pair on:
// the steps that a kernel left undone because their first pair may not decide them.
void StepUndecided(LearnState& state, int32_t bottom, int32_t size, const uint64_t* const* undecided,
                   PreciseChunkDraws& draws);
