#pragma once

#include <cstdint>

#include "engine/engine_path.h"

// The vector kernels of the engine, one set per instruction set, each compiled in its own
// translation unit for its processor (vector_kernels_avx2.cpp, vector_kernels_avx512.cpp). They
// work on whole vectors of neurons of one band; the passes give them the columns that fill whole
// vectors and do the rest themselves.

// Computes columns 0..columns - 1 of one band (columns a multiple of the lanes). Arrays are
// offset so that index c is column c; sources holds the band's source levels with its first two
// repeated after its last.
struct ForwardBandJob {
    const uint8_t* sources;
    const uint8_t* weights[4];
    uint8_t* inputs[3];
    uint32_t* sums;
    uint8_t* levels;
    int32_t* errors;
    int32_t firstNeuron;  // index of column 0, whose parity decides which inputs are inverted
    int32_t columns;
};

// Teaches count neurons of one band (count a multiple of the lanes) whose accumulators are final:
// deltas, the contributions they propagate, and weight steps. Arrays are offset so that index p
// is the chunk's neuron p.
struct LearnChunkJob {
    const uint8_t* levels;
    const uint8_t* inputs[3];
    uint8_t* weights[4];
    int32_t* errors;
    const uint8_t* targets;           // output neurons: each one's target; nullptr for hidden ones
    const uint32_t* deltaUniforms;    // the draws the delta remainders are compared with, reduced
                                      // here modulo the level width (see ChunkUniforms)
    const uint32_t* stepUniforms[4];  // the values the step remainders are compared with
    int32_t* contributions[3];        // nullptr: nothing propagates; else [m - 1][p + m - 1] gets
                                      // the signed error that neuron p sends through input m
    int32_t firstNeuron;              // index of neuron 0, for the inversion parity
    int32_t count;
    int32_t rate;
    uint32_t deltaLimit;  // a |delta| below it keeps |delta * rate| * 255 below the step divisor
};

struct LearnChunkResult {
    int64_t squaredErrors;  // sum of the squared output errors (output neurons only)
    uint32_t maxDelta;      // largest |delta|
};

struct VectorKernels {
    int32_t lanes;
    void (*forwardBand)(const ForwardBandJob& job);
    LearnChunkResult (*learnChunk)(const LearnChunkJob& job);
    // Classic draws of count neurons, five each in teaching order (the chunk's top first), into
    // position order: delta[p] and step[m][p] for neuron p. Reads up to 32 words past the draws.
    void (*sortClassicDraws)(const uint16_t* draws, int32_t count, uint32_t* delta, uint32_t* const* step);
    // The largest |value| of count values (each above INT32_MIN).
    uint32_t (*maxMagnitude)(const int32_t* values, int32_t count);
    // target[k] += first[k] + second[k] + third[k] for k < count.
    void (*addContributions)(int32_t* target, const int32_t* first, const int32_t* second, const int32_t* third,
                             int32_t count);
    // ResolvePreciseFixed (learning_rules.h).
    void (*resolvePreciseFixed)(const uint16_t* drawn, int32_t size, const uint8_t* levels, uint32_t* delta,
                                uint32_t* const* step, uint64_t* needsExtras);
    // Runs generatorLanes xoshiro256** lanes from states[lane] for LaneOutputs outputs each
    // (xoshiro_lanes.h), writing lane j's draws at out + 4 * j * LaneOutputs; leaves each lane's
    // state after its outputs in states.
    int32_t generatorLanes;
    void (*generateLanes)(uint64_t (*states)[4], uint16_t* out);
};

// The kernels of a vector path that this processor supports.
const VectorKernels& KernelsOf(EnginePath path);

extern const VectorKernels Avx2Kernels;
extern const VectorKernels Avx512Kernels;
