#include <algorithm>

#include "engine/discrete_net.h"
#include "engine/learning_rules.h"
#include "engine/learn_scratch.h"
#include "engine/uniform_draw.h"

namespace {

// The uniforms of one neuron's five divisions.
struct NeuronUniforms {
    uint32_t delta;
    uint32_t step[4];
};

// The sources of the neuron in column c of a band with a band before it, by the band rule.
struct Sources {
    int32_t index[3];
};

inline Sources SourcesOf(int32_t previousBandStart, int32_t column, int32_t width)
{
    // Each next column wraps at most once, also for widths 1 and 2.
    const int32_t second = column + 1 >= width ? column + 1 - width : column + 1;
    const int32_t third = second + 1 >= width ? second + 1 - width : second + 1;
    return {{previousBandStart + column, previousBandStart + second, previousBandStart + third}};
}

// Teaches neuron i, whose error accumulator is final: its delta, the errors it propagates to its
// sources (none for the first band, whose sources are pattern inputs), then its four weight
// steps.
[[gnu::always_inline]] inline void TeachNeuron(NeuronArrays& neurons, int32_t i, int32_t accumulator, int32_t rate,
                        const NeuronUniforms& uniforms, const Sources* sources)
{
    const auto n = static_cast<size_t>(i);
    const int32_t doubled = SaturateAccumulator(int64_t{accumulator} * 2);
    const int32_t delta = LevelDelta(doubled, LevelWidths[neurons.levels[n]], uniforms.delta);
    neurons.errors[n] = delta;
    // A zero delta propagates nothing and steps no weight; in a typical network a third to two
    // thirds of the deltas are zero.
    if (delta == 0) {
        return;
    }

    // Propagation touches only earlier neurons and makes no draw, so it can run before the
    // weight steps; it uses the weights as the forward pass did. An input that the forward
    // pass inverted (1 and 3 of an even neuron, 2 of an odd one) takes the error negated.
    if (sources != nullptr) {
        const int64_t oddMask = int64_t{i & 1} - 1;
        const int64_t outer = (int64_t{delta} ^ oddMask) - oddMask;
        int32_t* const errors = neurons.errors;
        int32_t& first = errors[sources->index[0]];
        first = SaturateAccumulator(first + int64_t{neurons.weights[1][n]} * outer);
        int32_t& second = errors[sources->index[1]];
        second = SaturateAccumulator(second - int64_t{neurons.weights[2][n]} * outer);
        int32_t& third = errors[sources->index[2]];
        third = SaturateAccumulator(third + int64_t{neurons.weights[3][n]} * outer);
    }

    const StepBase base = StepBaseOf(delta, rate);
    uint8_t* const* weights = neurons.weights;
    weights[0][n] = SteppedWeight(weights[0][n], base, 128, uniforms.step[0]);
    weights[1][n] = SteppedWeight(weights[1][n], base, neurons.inputs[0][n], uniforms.step[1]);
    weights[2][n] = SteppedWeight(weights[2][n], base, neurons.inputs[1][n], uniforms.step[2]);
    weights[3][n] = SteppedWeight(weights[3][n], base, neurons.inputs[2][n], uniforms.step[3]);
}

// The accumulator that neuron i's delta is made from: an output's comes from its target alone.
[[gnu::always_inline]] inline int32_t FinalAccumulator(const NeuronArrays& neurons, int32_t i, int32_t firstOutput,
                                const uint8_t* outputTargets, int32_t neuronCount, int64_t& squaredErrors)
{
    const auto n = static_cast<size_t>(i);
    if (i < firstOutput) {
        return neurons.errors[n];
    }
    const int32_t error = int32_t{neurons.levels[n]} - int32_t{outputTargets[neuronCount - 1 - i]};
    squaredErrors += error * error;
    return error * OutputErrorScale;
}

} // namespace

int32_t StochasticMeanError(int64_t squaredErrors, int32_t outputCount, RandomSource& random, Rounding rounding)
{
    const auto outputs = static_cast<uint64_t>(outputCount);
    const auto sum = static_cast<uint64_t>(squaredErrors);
    const uint64_t uniform = rounding == Rounding::Precise && outputs > RandomSource::Max + 1u
                                 ? UniformBelow(static_cast<uint32_t>(outputs), random)
                                 : static_cast<uint64_t>(random.Draw()) % outputs;
    return static_cast<int32_t>(sum / outputs + (sum % outputs > uniform ? 1u : 0u));
}

int32_t DiscreteNet::Learn(int32_t rate, RandomSource& random, Rounding rounding)
{
    if (!learnScratch) {
        learnScratch = std::make_unique<LearnScratch>();
    }
    return UsesVectors() ? LearnVector(rate, random, rounding) : LearnScalar(rate, random, rounding);
}

int32_t DiscreteNet::LearnScalar(int32_t rate, RandomSource& random, Rounding rounding)
{
    const int32_t firstOutput = neuronCount - outputCount;
    const uint8_t* const outputTargets = targets.get();
    ChunkUniforms& chunkUniforms = learnScratch->uniforms;
    int64_t squaredErrors = 0;
    // The chunk's neurons from its top down, each with the uniforms that uniformsOf(i) gives.
    const auto teachChunk = [&](int32_t top, int32_t bottom, int32_t bandStart, auto&& uniformsOf) {
        const int32_t previousBandStart = bandStart - inputCount;
        for (int32_t i = top; i >= bottom; --i) {
            const int32_t accumulator = FinalAccumulator(neurons, i, firstOutput, outputTargets, neuronCount, squaredErrors);
            const Sources sources = SourcesOf(previousBandStart, i - bandStart, inputCount);
            TeachNeuron(neurons, i, accumulator, rate, uniformsOf(i), bandStart > 0 ? &sources : nullptr);
        }
    };
    if (rounding == Rounding::Classic) {
        ForEachLearnChunk(neuronCount, inputCount, [&](int32_t top, int32_t bottom, int32_t bandStart) {
            const uint16_t* drawn = random.Take(static_cast<size_t>(ClassicNeuronDraws * (top - bottom + 1)));
            teachChunk(top, bottom, bandStart, [&](int32_t i) {
                const uint16_t* own = drawn + ClassicNeuronDraws * (top - i);
                return NeuronUniforms{DrawModuloLevelWidth(own[0], LevelWidths[neurons.levels[i]]),
                                      {own[1], own[2], own[3], own[4]}};
            });
        });
    } else {
        ForEachLearnChunk(neuronCount, inputCount, [&](int32_t top, int32_t bottom, int32_t bandStart) {
            ResolvePreciseChunk(neurons.levels + bottom, top - bottom + 1, random, chunkUniforms);
            teachChunk(top, bottom, bandStart, [&](int32_t i) {
                const auto p = static_cast<size_t>(i - bottom);
                const uint8_t level = neurons.levels[i];
                const uint32_t delta = chunkUniforms.delta[p];
                return NeuronUniforms{level == WideLevel ? delta : DrawModuloLevelWidth(delta, LevelWidths[level]),
                                      {chunkUniforms.step[0][p], chunkUniforms.step[1][p], chunkUniforms.step[2][p],
                                       chunkUniforms.step[3][p]}};
            });
        });
    }
    return StochasticMeanError(squaredErrors, outputCount, random, rounding);
}
