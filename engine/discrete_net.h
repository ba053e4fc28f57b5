#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/engine_path.h"
#include "engine/neuron.h"
#include "engine/neuron_arrays.h"
#include "engine/pattern_buffer.h"
#include "engine/random_source.h"
#include "engine/rounding.h"

struct LearnScratch;
struct RowScratch;
struct VectorKernels;

// A feed-forward network of byte-level neurons with three inputs and a bias each, built on a
// PatternBuffer that it reads inputs from and writes output levels to (it does not own it).
//
// Neurons are wired in bands of W (the input count): neuron j of band b = j div W reads the
// columns j mod W, +1, +2 (mod W) of band b - 1, or of the pattern inputs for band 0. The
// neurons' fields are kept one array per field, so that the vector paths compute several
// neurons of a band at once; every path gives the same results.
class DiscreteNet {
public:
    // Allocates neuronCount neurons and the buffer's output count of targets, then loads the
    // activation table. Throws std::length_error for a neuron count outside 1..MaxNeuronCount
    // (see network_shape.h) and std::bad_alloc when memory runs out; nothing is touched then.
    DiscreteNet(int32_t neuronCount, PatternBuffer& buffer);
    virtual ~DiscreteNet();

    DiscreteNet(const DiscreteNet&) = delete;
    DiscreteNet& operator=(const DiscreteNet&) = delete;

    // Keeps a reference to the 256 activation thresholds; always returns 1 (see the definition).
    int LoadActivationTable();

    // Fixes the first-layer flag and the three sources of every neuron by the band rule.
    void Wire();

    // Runs every neuron in index order and writes the output levels into the PatternBuffer.
    void Forward();

    // Runs the network on rowCount patterns of W input levels each (inputRows, one row after the
    // other) and writes each one's O output levels to outputRows (output t of row r at r * O + t),
    // as SetInput, Forward and GetOutput would row by row, several rows side by side. Afterwards
    // the network holds the last row's pass, as after its Forward.
    void ForwardRows(const uint8_t* inputRows, int64_t rowCount, uint8_t* outputRows);

    // Stores the desired level of output t.
    void SetTarget(int32_t output, uint8_t level);

    // Teaches the pattern of the last Forward towards the targets; returns the pattern's error.
    // Every stochastic division draws from random: 5 * N + 1 draws in classic rounding, 10 * N + 1
    // in precise rounding, with two more once in about 2^30 divisions (learning_rules.h gives the
    // layout and the exact count).
    int32_t Learn(int32_t rate, RandomSource& random, Rounding rounding = Rounding::Classic);

    uint8_t GetWeight(int32_t neuron, int32_t index) const;

    // Stores the low 8 bits of value as weight index (0 is the bias) of the neuron.
    void SetWeight(int32_t neuron, int32_t index, int32_t value);

    // Gives every weight of every neuron a random byte: 4 draws per neuron.
    void Randomize(RandomSource& random);

    int32_t GetNeuronCount() const { return neuronCount; }
    int32_t GetInputCount() const { return inputCount; }
    int32_t GetOutputCount() const { return outputCount; }

    // One neuron's record, for inspection and tests.
    Neuron GetNeuron(int32_t index) const;

    // Chooses how the passes are computed; false, with the path unchanged, when this processor
    // cannot run it. A new network runs FastestEnginePath().
    bool SetPath(EnginePath path);
    EnginePath GetPath() const { return path; }

private:
    // The scalar passes, and the vector passes of the current path.
    void ForwardScalar();
    void ForwardVector();
    int32_t LearnScalar(int32_t rate, RandomSource& random, Rounding rounding);
    int32_t LearnVector(int32_t rate, RandomSource& random, Rounding rounding);
    // Copies band - 1's levels (or the pattern inputs for band 0) with its first two again after
    // its last, so that column c reads columns c, c + 1 and c + 2 without wrapping.
    const uint8_t* BandSources(int32_t band);
    // Whether Forward and Learn take the vector kernels, and which: bands up to 8 wide take the
    // 8-lane kernels of either vector path, which waste the fewest lanes.
    bool UsesVectors() const { return path != EnginePath::Scalar && inputCount >= MinVectorWidth; }
    const VectorKernels& PassKernels() const;
    const VectorKernels& LearnKernels(Rounding rounding) const;
    // Whether ForwardRows runs a band's columns side by side (else one pattern per lane).
    bool RowsUseBands() const { return path != EnginePath::Scalar && inputCount >= 8; }
    static constexpr int32_t MinVectorWidth = 2;
    static constexpr int32_t ScalarForwardWidth = 4;

    const std::array<uint32_t, 256>* activationTable = nullptr;
    uint8_t* outputLevels;
    uint8_t* inputLevels;
    int32_t neuronCount;
    int32_t inputCount;
    int32_t outputCount;
    NeuronArrays neurons;
    std::unique_ptr<uint8_t[]> targets;
    std::unique_ptr<uint8_t[]> bandSources;
    EnginePath path = FastestEnginePath();
    // The wiring as lane permutations for the kernels of the path (NarrowTurns), when bands fit in
    // one vector.
    alignas(64) int32_t narrowTurns[6 * 16] = {};
    // Whether neurons.levelEntries hold the entries of the last pass's levels: the vector
    // learning of some kernels reads them, and the forward pass of others leaves them unset.
    bool levelEntriesCurrent = false;
    // Scratch of learning and of ForwardRows, made on first use.
    std::unique_ptr<LearnScratch> learnScratch;
    std::unique_ptr<RowScratch> rowScratch;
};
