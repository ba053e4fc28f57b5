#pragma once

#include <cstdint>

#include "engine/engine_path.h"

// The vector kernels of the engine, one set per instruction set, each compiled in its own
// translation unit for its processor (vector_kernels_avx2.cpp, vector_kernels_avx512.cpp). They
// work on whole vectors of neurons of one band; the passes give them the columns that fill whole
// vectors and do the rest themselves.

// The forward pass of a whole network whose bands are at least a vector wide: every neuron's
// inputs, sum, level and zeroed error. Arrays start at neuron 0 and have NeuronArrays::Padding
// spare elements, which a band's last vector may overrun.
struct ForwardJob {
    const uint8_t* patternInputs;
    const uint8_t* weights[4];
    uint8_t* inputs[3];
    uint32_t* sums;
    uint8_t* levels;
    int32_t* errors;
    uint8_t* sources;  // scratch of width + 2 + 64 bytes for a band's sources, wrapped
    int32_t width;
    int32_t neuronCount;
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

// The forward pass of up to MaxRows patterns side by side, keeping only what consultation needs:
// the levels (in a scratch per row) and the output slots. Bands as in ForwardJob.
struct ForwardRowsJob {
    static constexpr int32_t MaxRows = 4;
    const uint8_t* weights[4];
    const uint8_t* patternInputs[MaxRows];
    uint8_t* levels[MaxRows];    // neuronCount + 64 bytes each
    uint8_t* sources[MaxRows];   // width + 2 + 64 bytes each
    uint8_t* outputSlots[MaxRows];  // the upper end of each output neuron's bracket, in neuron
                                    // order from the first output neuron, + 64 bytes
    int32_t rows;
    int32_t width;
    int32_t neuronCount;
    int32_t firstOutput;
};

// The forward pass of up to a vector's lanes of patterns at once with one pattern per lane, for
// networks of any width: every neuron's level of every row is kept neuron by neuron, lane by lane
// (levels[j * lanes + row]), so that a neuron's sources are whole vectors.
struct ForwardAcrossJob {
    const uint8_t* weights[4];
    const uint8_t* inputRows;  // rows x width levels, row by row
    uint8_t* outputRows;       // rows x outputs levels, row by row
    uint8_t* inputs;           // scratch of width x lanes
    uint8_t* levels;           // scratch of neuronCount x lanes
    int32_t rows;              // at most the lanes
    int32_t width;
    int32_t neuronCount;
    int32_t outputs;
};

struct LearnChunkResult {
    int64_t squaredErrors;  // sum of the squared output errors (output neurons only)
    uint32_t maxDelta;      // largest |delta|
};

struct VectorKernels {
    int32_t lanes;
    void (*forward)(const ForwardJob& job);
    void (*forwardRows)(const ForwardRowsJob& job);
    void (*forwardAcross)(const ForwardAcrossJob& job);
    LearnChunkResult (*learnChunk)(const LearnChunkJob& job);
    // Classic draws of count neurons, five each in teaching order (the chunk's top first), into
    // position order: delta[p] and step[m][p] for neuron p. Reads up to 32 words past the draws.
    void (*sortClassicDraws)(const uint16_t* draws, int32_t count, uint32_t* delta, uint32_t* const* step);
    // Adds a chunk's contributions (LearnChunkJob::contributions, count neurons from column
    // column0) to the accumulators of the band before it (previous, width columns), position by
    // position, when no partial sum can reach the accumulator limit whatever their order: true
    // then; false, with nothing changed, when the exact order matters.
    bool (*propagateUnsaturated)(int32_t* previous, int32_t width, int32_t column0, int32_t count,
                                 const int32_t* const* contributions, uint32_t maxDelta);
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
