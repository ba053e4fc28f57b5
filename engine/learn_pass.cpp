#include <algorithm>

#include "engine/discrete_net.h"
#include "engine/level_width.h"

namespace {

// Error accumulators saturate symmetrically, so that every magnitude fits in 31 bits.
constexpr int64_t AccumulatorLimit = LevelWidthMaxMagnitude;

// Fixed-point scale of a level error. The slope of the activation is 2 levels across a level
// width of 408..40268 sum units, so the true delta 2e / width is below 1 almost everywhere and
// would vanish in integers; scaled by 2500 it keeps about three digits (one level of error at a
// mid-table width of about 500 becomes a delta of about 10), while the largest output error,
// 254 * 2500 doubled, stays far inside 32 bits.
constexpr int32_t OutputErrorScale = 2500;

// The divisor of every weight step: OutputErrorScale * 65535. The product delta * input * rate
// carries the error scale in delta and the rate, a mean squared level error of at most
// 255 * 255 = 65025, in the hundreds of thousands; dividing by 2500 undoes the scale and by
// 65535 turns the rate into a fraction below one, so a step is a few units at most. Draws never
// reach it, so a draw is its own remainder.
constexpr uint64_t StepDivisor = uint64_t{OutputErrorScale} * 65535;
static_assert(StepDivisor == 163837500);

// Neurons whose draws are taken from the source at once.
constexpr int32_t DrawChunk = 256;
// Draws of one neuron: its delta, then its four weight steps.
constexpr int32_t NeuronDraws = 5;

inline int32_t SaturateAccumulator(int64_t value)
{
    return static_cast<int32_t>(std::clamp(value, -AccumulatorLimit, AccumulatorLimit));
}

// The stochastic quotient of a doubled accumulator by the width of the neuron's level.
inline int32_t LevelDelta(int32_t doubled, const LevelWidth& width, uint32_t draw)
{
    const auto magnitude = static_cast<uint32_t>(doubled > 0 ? doubled : -doubled);
    uint32_t quotient = DivideByLevelWidth(magnitude, width);
    const uint32_t remainder = magnitude - quotient * width.width;
    quotient += remainder > DrawModuloLevelWidth(draw, width) ? 1u : 0u;
    const auto signedQuotient = static_cast<int32_t>(quotient);
    return doubled > 0 ? signedQuotient : -signedQuotient;
}

// The four steps of a neuron share the magnitude and sign of delta * rate, so each step is the
// stochastic quotient of that magnitude times its input by StepDivisor, applied in the common
// direction. The magnitude is below 2^63 with its input, so the unsigned product is exact.
struct StepBase {
    uint64_t magnitude;
    uint32_t flip;  // 0xFF when the product is positive, so the step lowers the weight; else 0
};

inline StepBase StepBaseOf(int32_t delta, int32_t rate)
{
    const auto deltaMagnitude = static_cast<uint64_t>(delta > 0 ? int64_t{delta} : -int64_t{delta});
    const auto rateMagnitude = static_cast<uint64_t>(rate > 0 ? int64_t{rate} : -int64_t{rate});
    return {deltaMagnitude * rateMagnitude, (delta < 0) == (rate < 0) ? 0xFFu : 0u};
}

// The stochastic quotient q + (r > draw) is one truncated quotient: adding StepDivisor - 1 - draw
// carries into the next multiple exactly when the remainder r exceeds the draw. Lowering a weight
// is raising its bitwise complement 255 - w, and a raise stops at 255, so one capped addition
// moves the weight either way.
inline uint8_t SteppedWeight(uint8_t weight, const StepBase& base, uint32_t input, uint32_t draw)
{
    const uint64_t raised = base.magnitude * input + (StepDivisor - 1 - draw);
    const uint64_t moved = std::min<uint64_t>((weight ^ base.flip) + raised / StepDivisor, 255);
    return static_cast<uint8_t>(moved ^ base.flip);
}

// Teaches neuron i, whose error accumulator is final: its delta, the errors it propagates to its
// sources, then its four weight steps. Draws: one for the delta, one per step.
inline void TeachNeuron(Neuron* all, int32_t i, int32_t accumulator, int32_t rate, const uint16_t* drawn)
{
    Neuron& neuron = all[i];
    const int32_t doubled = SaturateAccumulator(int64_t{accumulator} * 2);
    const int32_t delta = LevelDelta(doubled, LevelWidths[neuron.level], drawn[0]);
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
    neuron.weights[0] = SteppedWeight(neuron.weights[0], base, 128, drawn[1]);
    neuron.weights[1] = SteppedWeight(neuron.weights[1], base, neuron.inputs[0], drawn[2]);
    neuron.weights[2] = SteppedWeight(neuron.weights[2], base, neuron.inputs[1], drawn[3]);
    neuron.weights[3] = SteppedWeight(neuron.weights[3], base, neuron.inputs[2], drawn[4]);
}

} // namespace

// Draws: 5 per neuron, from the last neuron to the first, then one for the mean: 5N + 1.
int32_t DiscreteNet::Learn(int32_t rate, RandomSource& random)
{
    Neuron* const all = neurons.get();
    const int32_t firstOutput = neuronCount - outputCount;

    int64_t squaredErrors = 0;
    for (int32_t top = neuronCount - 1; top >= 0; top -= DrawChunk) {
        const int32_t bottom = std::max(top - DrawChunk + 1, 0);
        const uint16_t* drawn = random.Take(static_cast<size_t>(NeuronDraws * (top - bottom + 1)));
        for (int32_t i = top; i >= bottom; --i, drawn += NeuronDraws) {
            int32_t accumulator = all[i].error;
            // An output's accumulator comes from its target alone.
            if (i >= firstOutput) {
                const int32_t error = int32_t{all[i].level} - int32_t{targets[neuronCount - 1 - i]};
                squaredErrors += error * error;
                accumulator = error * OutputErrorScale;
            }
            TeachNeuron(all, i, accumulator, rate, drawn);
        }
    }

    // The mean over the outputs, by the same stochastic rule.
    const auto outputs = static_cast<uint64_t>(outputCount);
    const auto sum = static_cast<uint64_t>(squaredErrors);
    uint64_t mean = sum / outputs;
    mean += sum % outputs > static_cast<uint64_t>(random.Draw()) % outputs ? 1u : 0u;
    return static_cast<int32_t>(mean);
}
