#include <algorithm>

#include "engine/discrete_net.h"
#include "engine/learning_rules.h"
#include "engine/uniform_draw.h"

namespace {

// The uniforms of one neuron's five divisions.
struct NeuronUniforms {
    uint32_t delta;
    uint32_t step[4];
};

// Teaches neuron i, whose error accumulator is final: its delta, the errors it propagates to its
// sources, then its four weight steps.
inline void TeachNeuron(Neuron* all, int32_t i, int32_t accumulator, int32_t rate, const NeuronUniforms& uniforms)
{
    Neuron& neuron = all[i];
    const int32_t doubled = SaturateAccumulator(int64_t{accumulator} * 2);
    const int32_t delta = LevelDelta(doubled, LevelWidths[neuron.level], uniforms.delta);
    neuron.error = delta;
    // A zero delta propagates nothing and steps no weight; in a typical network a third to two
    // thirds of the deltas are zero.
    if (delta == 0) {
        return;
    }

    // Propagation touches only earlier neurons and makes no draw, so it can run before the
    // weight steps; it uses the weights as the forward pass did. An input that the forward
    // pass inverted (1 and 3 of an even neuron, 2 of an odd one) takes the error negated.
    if (neuron.firstLayer == 0) {
        const int64_t oddMask = int64_t{i & 1} - 1;
        const int64_t outer = (int64_t{delta} ^ oddMask) - oddMask;
        Neuron& first = all[neuron.sources[0]];
        first.error = SaturateAccumulator(first.error + int64_t{neuron.weights[1]} * outer);
        Neuron& second = all[neuron.sources[1]];
        second.error = SaturateAccumulator(second.error - int64_t{neuron.weights[2]} * outer);
        Neuron& third = all[neuron.sources[2]];
        third.error = SaturateAccumulator(third.error + int64_t{neuron.weights[3]} * outer);
    }

    const StepBase base = StepBaseOf(delta, rate);
    neuron.weights[0] = SteppedWeight(neuron.weights[0], base, 128, uniforms.step[0]);
    neuron.weights[1] = SteppedWeight(neuron.weights[1], base, neuron.inputs[0], uniforms.step[1]);
    neuron.weights[2] = SteppedWeight(neuron.weights[2], base, neuron.inputs[1], uniforms.step[2]);
    neuron.weights[3] = SteppedWeight(neuron.weights[3], base, neuron.inputs[2], uniforms.step[3]);
}

// The accumulator that neuron i's delta is made from: an output's comes from its target alone.
inline int32_t FinalAccumulator(const Neuron* all, int32_t i, int32_t firstOutput, const uint8_t* outputTargets,
                                int32_t neuronCount, int64_t& squaredErrors)
{
    if (i < firstOutput) {
        return all[i].error;
    }
    const int32_t error = int32_t{all[i].level} - int32_t{outputTargets[neuronCount - 1 - i]};
    squaredErrors += error * error;
    return error * OutputErrorScale;
}

// The stochastic mean of the squared errors over the outputs.
int32_t MeanError(int64_t squaredErrors, int32_t outputCount, RandomSource& random, Rounding rounding)
{
    const auto outputs = static_cast<uint64_t>(outputCount);
    const auto sum = static_cast<uint64_t>(squaredErrors);
    const uint64_t uniform = rounding == Rounding::Precise && outputs > RandomSource::Max + 1u
                                 ? UniformBelow(static_cast<uint32_t>(outputs), random)
                                 : static_cast<uint64_t>(random.Draw()) % outputs;
    return static_cast<int32_t>(sum / outputs + (sum % outputs > uniform ? 1u : 0u));
}

} // namespace

int32_t DiscreteNet::Learn(int32_t rate, RandomSource& random, Rounding rounding)
{
    Neuron* const all = neurons.get();
    const int32_t firstOutput = neuronCount - outputCount;
    const uint8_t* const outputTargets = targets.get();
    int64_t squaredErrors = 0;
    if (rounding == Rounding::Classic) {
        ForEachLearnChunk(neuronCount, inputCount, [&](int32_t top, int32_t bottom) {
            const uint16_t* drawn = random.Take(static_cast<size_t>(ClassicNeuronDraws * (top - bottom + 1)));
            for (int32_t i = top; i >= bottom; --i, drawn += ClassicNeuronDraws) {
                const int32_t accumulator = FinalAccumulator(all, i, firstOutput, outputTargets, neuronCount, squaredErrors);
                const NeuronUniforms uniforms = {DrawModuloLevelWidth(drawn[0], LevelWidths[all[i].level]),
                                                 {drawn[1], drawn[2], drawn[3], drawn[4]}};
                TeachNeuron(all, i, accumulator, rate, uniforms);
            }
        });
    } else {
        if (!preciseScratch) {
            preciseScratch = std::make_unique<ChunkUniforms>();
        }
        ChunkUniforms& chunkUniforms = *preciseScratch;
        ForEachLearnChunk(neuronCount, inputCount, [&](int32_t top, int32_t bottom) {
            uint8_t levels[LearnChunk];
            for (int32_t i = bottom; i <= top; ++i) {
                levels[i - bottom] = all[i].level;
            }
            ResolvePreciseChunk(levels, top - bottom + 1, random, chunkUniforms);
            for (int32_t i = top; i >= bottom; --i) {
                const auto p = static_cast<size_t>(i - bottom);
                const int32_t accumulator = FinalAccumulator(all, i, firstOutput, outputTargets, neuronCount, squaredErrors);
                const NeuronUniforms uniforms = {chunkUniforms.delta[p],
                                                 {chunkUniforms.step[0][p], chunkUniforms.step[1][p],
                                                  chunkUniforms.step[2][p], chunkUniforms.step[3][p]}};
                TeachNeuron(all, i, accumulator, rate, uniforms);
            }
        });
    }
    return MeanError(squaredErrors, outputCount, random, rounding);
}
