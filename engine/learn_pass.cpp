#include "engine/discrete_net.h"
#include "engine/learn_scalar.h"
#include "engine/learn_scratch.h"
#include "engine/learning_rules.h"
#include "engine/stochastic_divide.h"

namespace {

// The accumulator that neuron i's delta is made from: an output's comes from its target alone.
[[gnu::always_inline]] inline int32_t FinalAccumulator(const NeuronArrays::Fields& neurons, const LearnState& state,
                                                       int32_t i, int64_t& squaredErrors)
{
    if (i < state.firstOutput) {
        return neurons.errors[i];
    }
    const int32_t error = int32_t{neurons.levels[i]} - int32_t{state.targets[state.neuronCount - 1 - i]};
    squaredErrors += error * error;
    return error * OutputErrorScale;
}

// Teaches the chunk's neurons from top down. rule.Draws(i) reads neuron i's fixed draws (into
// locals, which nothing stored can alias), rule.Delta(i, doubled, draws) gives its delta and
// rule.Steps(i, base, draws) steps its four weights.
template <typename Rule>
[[gnu::always_inline]] inline void TeachChunk(LearnState& state, int32_t top, int32_t bottom, int32_t bandStart,
                                              Rule&& rule)
{
    const NeuronArrays::Fields neurons = state.neurons;
    const int32_t width = state.width;
    int64_t squaredErrors = 0;
    const int32_t previousBandStart = bandStart - width;
    // The band before takes the errors unless it is the pattern inputs or an output band, whose
    // accumulators are replaced by their output errors.
    const bool propagates = bandStart > 0 && previousBandStart < state.firstOutput;
    for (int32_t i = top; i >= bottom; --i) {
        const auto own = rule.Draws(i);
        const int32_t doubled = SaturateAccumulator(int64_t{FinalAccumulator(neurons, state, i, squaredErrors)} * 2);
        const int32_t delta = rule.Delta(i, doubled, own);
        neurons.errors[i] = delta;
        // A zero delta propagates nothing and steps no weight (and takes no further pairs); in a
        // typical network a third to two thirds of the deltas are zero.
        if (delta == 0) {
            continue;
        }
        // Propagation touches only earlier neurons, so it can run before the weight steps; it
        // uses the weights as the forward pass did. An input that the forward pass inverted (1
        // and 3 of an even neuron, 2 of an odd one) takes the error negated. Each next column
        // wraps at most once, also for widths 1 and 2.
        if (propagates) {
            const int32_t column = i - bandStart;
            const int32_t second = column + 1 >= width ? column + 1 - width : column + 1;
            const int32_t third = second + 1 >= width ? second + 1 - width : second + 1;
            const int64_t oddMask = int64_t{i & 1} - 1;
            const int64_t outer = (int64_t{delta} ^ oddMask) - oddMask;
            int32_t* const errors = neurons.errors + previousBandStart;
            errors[column] = SaturateAccumulator(errors[column] + int64_t{neurons.weights[1][i]} * outer);
            errors[second] = SaturateAccumulator(errors[second] - int64_t{neurons.weights[2][i]} * outer);
            errors[third] = SaturateAccumulator(errors[third] + int64_t{neurons.weights[3][i]} * outer);
        }
        rule.Steps(i, StepBaseOf(delta, state.rate), own);
    }
    state.squaredErrors += squaredErrors;
}

} // namespace

void TeachChunkClassic(LearnState& state, int32_t top, int32_t bottom, int32_t bandStart, const uint16_t* drawn)
{
    const NeuronArrays::Fields neurons = state.neurons;
    struct ClassicNeuron {
        uint32_t delta;
        uint32_t step[4];
    };
    struct Rule {
        const NeuronArrays::Fields& neurons;
        const uint16_t* drawn;
        int32_t top;

        ClassicNeuron Draws(int32_t i) const
        {
            const uint16_t* own = drawn + ClassicNeuronDraws * (top - i);
            return {own[0], {own[1], own[2], own[3], own[4]}};
        }
        int32_t Delta(int32_t i, int32_t doubled, const ClassicNeuron& own) const
        {
            const LevelWidth& width = LevelWidths[neurons.levels[i]];
            const LevelQuotient division = DivideDoubled(doubled, width);
            return SignedDelta(doubled, division.quotient,
                               division.remainder > DrawModuloLevelWidth(own.delta, width));
        }
        void Steps(int32_t i, const StepBase& base, const ClassicNeuron& own) const
        {
            uint8_t* const* weights = neurons.weights;
            weights[0][i] = ClassicSteppedWeight(weights[0][i], base, 128, own.step[0]);
            for (int32_t m = 1; m <= 3; ++m) {
                weights[m][i] = ClassicSteppedWeight(weights[m][i], base, neurons.inputs[m - 1][i], own.step[m]);
            }
        }
    };
    TeachChunk(state, top, bottom, bandStart, Rule{neurons, drawn, top});
}

void TeachChunkPrecise(LearnState& state, int32_t top, int32_t bottom, int32_t bandStart, PreciseChunkDraws& draws)
{
    const NeuronArrays::Fields neurons = state.neurons;
    struct Rule {
        const NeuronArrays::Fields& neurons;
        PreciseChunkDraws& draws;
        int32_t bottom;

        PreciseNeuron Draws(int32_t i) const { return draws.Neuron(i - bottom); }
        int32_t Delta(int32_t i, int32_t doubled, const PreciseNeuron& own) const
        {
            return PreciseLevelDelta(doubled, neurons.levels[i], own, draws);
        }
        void Steps(int32_t i, const StepBase& base, const PreciseNeuron& own) const
        {
            const auto more = [this] { return draws.NextPair(); };
            uint8_t* const* weights = neurons.weights;
            weights[0][i] = PreciseSteppedWeight(weights[0][i], base, 128, own.step[0], more);
            for (int32_t m = 1; m <= 3; ++m) {
                weights[m][i] = PreciseSteppedWeight(weights[m][i], base, neurons.inputs[m - 1][i], own.step[m], more);
            }
        }
    };
    TeachChunk(state, top, bottom, bandStart, Rule{neurons, draws, bottom});
}

void StepUndecided(LearnState& state, int32_t bottom, int32_t size, const uint64_t* const* undecided,
                   PreciseChunkDraws& draws)
{
    const NeuronArrays::Fields neurons = state.neurons;
    for (int32_t p = size - 1; p >= 0; --p) {
        const auto word = static_cast<size_t>(p / 64);
        const uint64_t bit = uint64_t{1} << (p % 64);
        const int32_t i = bottom + p;
        const StepBase base = StepBaseOf(neurons.errors[i], state.rate);
        for (int32_t m = 0; m < 4; ++m) {
            if ((undecided[m][word] & bit) != 0) {
                const uint32_t input = m == 0 ? 128u : neurons.inputs[m - 1][i];
                neurons.weights[m][i] = PreciseSteppedWeight(neurons.weights[m][i], base, input,
                                                             draws.Neuron(p).step[m],
                                                             [&draws] { return draws.NextPair(); });
            }
        }
    }
}

int32_t StochasticMeanError(int64_t squaredErrors, int32_t outputCount, RandomSource& random, Rounding rounding)
{
    // The sum of at most 65025 per output fits in 32 bits for up to 66051 outputs, where the
    // division is quicker.
    if (squaredErrors <= UINT32_MAX && (rounding == Rounding::Classic || outputCount <= RandomSource::Max + 1)) {
        const auto sum = static_cast<uint32_t>(squaredErrors);
        const auto outputs = static_cast<uint32_t>(outputCount);
        const auto uniform = static_cast<uint32_t>(random.Draw()) % outputs;
        return static_cast<int32_t>(sum / outputs + (sum % outputs > uniform ? 1u : 0u));
    }
    return StochasticDivide64(squaredErrors, outputCount, random, rounding);
}

int32_t DiscreteNet::Learn(int32_t rate, RandomSource& random, Rounding rounding)
{
    if (!UsesVectors()) {
        return LearnScalar(rate, random, rounding);
    }
    if (!learnScratch) {
        learnScratch = std::make_unique<LearnScratch>();
    }
    return LearnVector(rate, random, rounding);
}

int32_t DiscreteNet::LearnScalar(int32_t rate, RandomSource& random, Rounding rounding)
{
    LearnState state{neurons.View(), targets.get(), neuronCount, inputCount, neuronCount - outputCount, rate, 0};
    ForEachLearnChunk(neuronCount, inputCount, [&](int32_t top, int32_t bottom, int32_t bandStart) {
        const int32_t size = top - bottom + 1;
        if (rounding == Rounding::Classic) {
            TeachChunkClassic(state, top, bottom, bandStart, random.Take(static_cast<size_t>(ClassicNeuronDraws * size)));
        } else {
            PreciseChunkDraws draws(random, size);
            TeachChunkPrecise(state, top, bottom, bandStart, draws);
            draws.Finish();
        }
    });
    return StochasticMeanError(state.squaredErrors, outputCount, random, rounding);
}
