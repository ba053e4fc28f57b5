#include <algorithm>

#include "engine/discrete_net.h"
#include "engine/kernel_tables.h"
#include "engine/level_lookup.h"
#include "engine/vector_kernels.h"

namespace {

// Weighs the three source levels of neuron j, finds its level in the thresholds, and returns
// the upper end of the bracket (the output slot's value).
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
    neurons.errors[n] = 0;
    return static_cast<uint8_t>(bracket.hi);
}


// The scalar path's pass over the neurons of fields, reading the pattern's input levels and
// writing the output levels.
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
            const uint8_t hi = EvaluateNeuron(fields, j, sources);
            if (j >= firstOutput) {
                outputs[neuronCount - 1 - j] = hi;
            }
            second = second + 1 == width ? 0 : second + 1;
            third = third + 1 == width ? 0 : third + 1;
        }
    }
}

// The output slot of each output neuron (the upper end of its bracket): its level + 1 from the
// first threshold on, else 0.
inline void WriteOutputSlots(const NeuronArrays::Fields& fields, uint8_t* outputs, int32_t neuronCount, int32_t outputCount)
{
    for (int32_t t = 0; t < outputCount; ++t) {
        const auto n = static_cast<size_t>(neuronCount - 1 - t);
        outputs[t] = static_cast<uint8_t>(fields.sums[n] >= ActivationTable[0] ? fields.levels[n] + 1 : 0);
    }
}

// One band of the narrow pass below: count (at most Width) neurons from j, reading the band
// before's levels from previous and leaving their own there.
template <int32_t Width>
inline void ForwardNarrowBand(const NeuronArrays::Fields& fields, int32_t j, int32_t count, uint32_t (&previous)[Width])
{
    // Even neurons invert inputs 1 and 3, odd neurons input 2.
    const uint32_t bandOuter = ((static_cast<uint32_t>(j) & 1u) - 1u) & 0xFFu;
    // The byte fields from two bases and the stride, which addressing scales by 1 and 2: fewer
    // registers held than one per array, so that the band's levels stay in registers.
    const size_t stride = fields.byteStride;
    const size_t tripleStride = 3 * stride;
    const uint8_t* const weights = fields.weights[0] + j;
    uint8_t* const inputs = fields.inputs[0] + j;
    uint32_t levels[Width];
#pragma GCC unroll 4
    for (int32_t c = 0; c < Width; ++c) {
        if (c >= count) {
            break;
        }
        const auto n = static_cast<size_t>(j + c);
        const uint32_t outer = c % 2 == 0 ? bandOuter : bandOuter ^ 0xFFu;
        const uint32_t input1 = previous[c] ^ outer;
        const uint32_t input2 = previous[(c + 1) % Width] ^ outer ^ 0xFFu;
        const uint32_t input3 = previous[(c + 2) % Width] ^ outer;
        inputs[c] = static_cast<uint8_t>(input1);
        inputs[stride + c] = static_cast<uint8_t>(input2);
        inputs[2 * stride + c] = static_cast<uint8_t>(input3);
        const uint32_t sum = 128u * weights[c] + weights[stride + c] * input1 + weights[2 * stride + c] * input2 +
                             weights[tripleStride + c] * input3;
        fields.sums[n] = sum;
        const uint32_t level = LevelOfSum(sum);
        levels[c] = level;
        inputs[tripleStride + c] = static_cast<uint8_t>(level);
        fields.levelEntries[n] = KernelLevelEntries[level];
        fields.errors[n] = 0;
    }
#pragma GCC unroll 4
    for (int32_t c = 0; c < Width; ++c) {
        previous[c] = levels[c];
    }
}

// The pass of the vector paths for bands of 2 to 4 neurons, which go quicker one neuron at a time
// (see Forward): as ForwardNeurons, also leaving each neuron's level entry for the vector
// learning, with a band's levels passed to the next in registers and the wiring's columns fixed
// at compile time.
template <int32_t Width>
void ForwardNarrowScalar(const NeuronArrays::Fields& fields, const uint8_t* inputLevels, uint8_t* outputs,
                         int32_t neuronCount, int32_t outputCount)
{
    uint32_t previous[Width];
    for (int32_t c = 0; c < Width; ++c) {
        previous[c] = inputLevels[c];
    }
    int32_t j = 0;
    for (; j + Width <= neuronCount; j += Width) {
        ForwardNarrowBand<Width>(fields, j, Width, previous);
    }
    if (j < neuronCount) {
        ForwardNarrowBand<Width>(fields, j, neuronCount - j, previous);
    }
    WriteOutputSlots(fields, outputs, neuronCount, outputCount);
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
    levelEntriesCurrent = UsesVectors();
    // The arrays' pointers go by value (View), because the byte stores to neurons could otherwise
    // alias the members.
    if (!UsesVectors()) {
        ForwardNeurons(neurons.View(), inputLevels, outputLevels, neuronCount, inputCount, outputCount);
        return;
    }
    // The vector paths come here for bands of MinVectorWidth to ScalarForwardWidth neurons.
    static_assert(MinVectorWidth == 2 && ScalarForwardWidth == 4);
    switch (inputCount) {
    case 2:
        ForwardNarrowScalar<2>(neurons.View(), inputLevels, outputLevels, neuronCount, outputCount);
        break;
    case 3:
        ForwardNarrowScalar<3>(neurons.View(), inputLevels, outputLevels, neuronCount, outputCount);
        break;
    default:
        ForwardNarrowScalar<4>(neurons.View(), inputLevels, outputLevels, neuronCount, outputCount);
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
    levelEntriesCurrent = inputCount <= PassKernels().levelEntriesUpToWidth;
    WriteOutputSlots(neurons.View(), outputLevels, neuronCount, outputCount);
}
