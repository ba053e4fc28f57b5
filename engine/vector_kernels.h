#pragma once

#include <cstdint>

#include "engine/engine_path.h"

// The vector kernels of the engine, one set per instruction set, each compiled in its own
// translation unit for its processor (vector_kernels_avx2.cpp, vector_kernels_avx512.cpp). They
// work on whole vectors of neurons of one band; the passes give them the columns that fill whole
// vectors and do the rest themselves.

// The forward pass of a whole network: every neuron's inputs, sum, level, level entry and zeroed
// error. Arrays start at neuron 0 and have NeuronArrays::Padding
// spare elements, which a band's last vector may overrun.
struct ForwardJob {
    const uint8_t* patternInputs;
    const uint8_t* weights[4];
    uint8_t* inputs[3];
    uint32_t* sums;
    uint8_t* levels;
    int32_t* errors;
    uint64_t* levelEntries;
    uint8_t* sources;  // scratch of width + 2 + 64 bytes for a band's sources, wrapped
    const int32_t* turns;  // NarrowTurns of the width, for the kernels' lane count
    int32_t width;
    int32_t neuronCount;
};

// Teaches chunks of neurons (learning_rules.h) in teaching order, from the chunk whose top neuron
// is top in the band that starts at bandStart, taking their draws one after the other from draws;
// see LearnChunksResult for where it stops. Arrays start at neuron 0 and have
// NeuronArrays::Padding spare elements.
struct LearnChunksJob {
    const uint8_t* levels;
    const uint8_t* inputs[3];
    uint8_t* weights[4];
    int32_t* errors;
    const uint64_t* levelEntries;  // as the forward pass left them
    const uint8_t* targets;  // the target of neuron firstOutput + k at k, and 64 spare bytes
    int32_t neuronCount;
    int32_t width;
    int32_t firstOutput;
    int32_t rate;
    uint32_t deltaLimit;   // a |delta| below it keeps |delta * rate| * 255 below the step divisor
    uint32_t mediumLimit;  // a |delta| below it keeps |delta * rate| at most MediumStepBase
    bool precise;
    const int32_t* turns;  // NarrowTurns of the width, for the kernels' lane count
    // Scratch of LearnChunk + 64 elements each.
    int32_t* deltas;
    int32_t* sent;
    // LearnChunk / 64 words each, all 0 when a kernel is called: a kernel marks steps only in the
    // chunk it stops at with StepUndecided, and the caller clears them after teaching them.
    uint64_t* undecided[4];
    // The chunks' draws: classic 5 per neuron in teaching order, precise each chunk's fixed draws;
    // the source's slack before and after them may be read.
    const uint16_t* draws;
    int64_t drawCount;
    int32_t bandStart;
    int32_t top;
    // Kept from call to call: the squared output errors so far, and the largest |delta| of the
    // band so far (from its first chunk on).
    int64_t squaredErrors;
    uint32_t bandMaxDelta;
};

enum class ChunkStop : int32_t {
    Done,           // every chunk down to neuron 0 is taught
    OutOfDraws,     // the chunk at (bandStart, top) needs more draws than are left
    TeachByNeuron,  // the chunk at (bandStart, top) needs the scalar rule, as the rest of its
                    // band does: a delta's pair leaves it undecided, or a sum of contributions
                    // could reach the accumulator limit; nothing of it is changed
    StepUndecided,  // the chunk at (bandStart, top) is taught except for the steps marked in
                    // undecided, whose first pairs may not decide them; its draws are not counted
};

struct LearnChunksResult {
    ChunkStop stop;
    int32_t bandStart;
    int32_t top;
    int64_t drawsUsed;  // by the chunks taught whole
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

struct VectorKernels {
    int32_t lanes;
    // The widest bands whose learning reads each neuron's level entry (NeuronArrays::levelEntries),
    // which the forward pass of these kernels then leaves; wider bands divide without them and
    // leave them unset.
    int32_t levelEntriesUpToWidth;
    void (*forward)(const ForwardJob& job);
    void (*forwardRows)(const ForwardRowsJob& job);
    void (*forwardAcross)(const ForwardAcrossJob& job);
    LearnChunksResult (*learnChunks)(LearnChunksJob& job);
    // Runs generatorLanes xoshiro256** lanes from states[lane] for LaneOutputs outputs each
    // (xoshiro_lanes.h), writing lane j's draws at out + 4 * j * LaneOutputs; leaves each lane's
    // state after its outputs in states.
    int32_t generatorLanes;
    void (*generateLanes)(uint64_t (*states)[4], uint16_t* out);
};

// For bands no wider than a kernel's lanes, the wiring as lane permutations: five vectors of
// lanes, lane c of vector k holding column c + k (k = 0, 1, 2) or c + 2 - k (k = 3, 4), modulo the
// width; lanes past the width hold their own number. A sixth moves a band's lanes up by the width
// (lane L takes lane L - width; lanes below the width keep their own), to join it to the band
// before it in one vector.
void NarrowTurns(int32_t width, int32_t lanes, int32_t* turns);

// The kernels of a vector path that this processor supports.
const VectorKernels& KernelsOf(EnginePath path);

extern const VectorKernels Avx2Kernels;
extern const VectorKernels Avx512Kernels;
// The AVX-512 path's kernels for bands of up to 8 neurons.
extern const VectorKernels Avx512NarrowKernels;
