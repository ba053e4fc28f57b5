#include <algorithm>

#include "engine/discrete_net.h"
#include "engine/kernel_tables.h"
#include "engine/level_lookup.h"
#include "engine/vector_kernels.h"

namespace {

// Weighs the three source levels of neuron j, finds its level in the thresholds, and returns
// the upper end of the bracket (the output slot's value).
template <bool KeepEntries>
inline uint8_t EvaluateNeuron(const NeuronArrays::Fields& neurons, int32_t j, const uint8_t* sources)
{
    const auto n = static_cast<size_t>(j);
    // Even neurons invert inputs 1 and 3, odd neurons input 2.
    const uint32_t invertOuter = ((static_cast<uint32_t>(j) & 1u) - 1u) & 0xFFu;
    const uint32_t invertMiddle = invertOuter ^ 0xFFu;
    const uint32_t input1 = sources[0] ^ invertOuter;
    const uint32_t input2 = sources[1] ^ invertMiddle;
    const uint32_t input3 = sources[2] ^ invertOuter;
    neurons.inputs[0][n] = static_cast<uint8_t>(input1);
    neurons.inputs[1][n] = static_cast<uint8_t>(input2);
    neurons.inputs[2][n] = static_cast<uint8_t>(input3);
    const uint32_t sum = 128u * neurons.weights[0][n] + neurons.weights[1][n] * input1 +
                         neurons.weights[2][n] * input2 + neurons.weights[3][n] * input3;
    neurons.sums[n] = sum;
    const LevelBracket bracket = BracketOfSum(sum);
    neurons.levels[n] = static_cast<uint8_t>(bracket.lo);
    if (KeepEntries) {
        neurons.levelEntries[n] = KernelLevelEntries[bracket.lo];
    }
    neurons.errors[n] = 0;
    return static_cast<uint8_t>(bracket.hi);
}


// The scalar pass over the neurons of fields, reading the pattern's input levels and writing the
// output levels; with KeepEntries also each neuron's level entry for the vector learning.
template <bool KeepEntries>
void ForwardNeurons(const NeuronArrays::Fields& fields, const uint8_t* inputLevels, uint8_t* outputs, int32_t neuronCount,
                    int32_t width, int32_t outputCount)
{
    const int32_t firstOutput = neuronCount - outputCount;
    for (int32_t bandStart = 0; bandStart < neuronCount; bandStart += width) {
        const uint8_t* band = bandStart == 0 ? inputLevels : fields.levels + (bandStart - width);
        const int32_t bandEnd = std::min(bandStart + width, neuronCount);
        // Columns c, c + 1 and c + 2 of the band before, each wrapping at most once (also for
        // widths 1 and 2), moved along with c.
        int32_t second = 1 >= width ? 1 - width : 1;
        int32_t third = second + 1 >= width ? second + 1 - width : second + 1;
        for (int32_t j = bandStart, column = 0; j < bandEnd; ++j, ++column) {
            const uint8_t sources[3] = {band[column], band[second], band[third]};
            const uint8_t hi = EvaluateNeuron<KeepEntries>(fields, j, sources);
            if (j >= firstOutput) {
                outputs[neuronCount - 1 - j] = hi;
            }
            second = second + 1 == width ? 0 : second + 1;
            third = third + 1 == width ? 0 : third + 1;
        }
    }
}

} // namespace

const VectorKernels& DiscreteNet::PassKernels() const
{
    if (inputCount <= Avx2Kernels.lanes) {
        return path == EnginePath::Avx512 ? Avx512NarrowKernels : Avx2Kernels;
    }
    return KernelsOf(path);
}

void DiscreteNet::Forward()
{
    // Bands of up to ScalarForwardWidth neurons go quicker one neuron at a time: a vector's band
    // waits for its level lookup, where neurons one at a time overlap theirs.
    if (UsesVectors() && inputCount > ScalarForwardWidth) {
        ForwardVector();
    } else {
        ForwardScalar();
    }
}

void DiscreteNet::ForwardScalar()
{
    // Locals, because the byte stores to neurons could otherwise alias the members.
    if (UsesVectors()) {
        ForwardNeurons<true>(neurons.View(), inputLevels, outputLevels, neuronCount, inputCount, outputCount);
    } else {
        ForwardNeurons<false>(neurons.View(), inputLevels, outputLevels, neuronCount, inputCount, outputCount);
    }
}

void DiscreteNet::ForwardVector()
{
    ForwardJob job{};
    job.patternInputs = inputLevels;
    for (size_t m = 0; m < 4; ++m) {
        job.weights[m] = neurons.weights[m];
    }
    for (size_t m = 0; m < 3; ++m) {
        job.inputs[m] = neurons.inputs[m];
    }
    job.sums = neurons.sums;
    job.levels = neurons.levels;
    job.errors = neurons.errors;
    job.levelEntries = neurons.levelEntries;
    job.sources = bandSources.get();
    job.turns = narrowTurns;
    job.width = inputCount;
    job.neuronCount = neuronCount;
    PassKernels().forward(job);
    // The output slot is the upper end of the bracket: the level + 1, or 0 below t[0].
    for (int32_t t = 0; t < outputCount; ++t) {
        const auto n = static_cast<size_t>(neuronCount - 1 - t);
        outputLevels[t] = static_cast<uint8_t>(neurons.sums[n] >= ActivationTable[0] ? neurons.levels[n] + 1 : 0);
    }
}
