#include <algorithm>

#include "engine/discrete_net.h"
#include "engine/draw_stream.h"
#include "engine/level_width.h"

namespace {

// Error accumulators saturate symmetrically, so that every magnitude fits in 31 bits.
constexpr int64_t AccumulatorLimit = LevelWidthMaxMagnitude;

// The divisor of every weight step. Draws never reach it, so a draw is its own remainder.
constexpr uint64_t StepDivisor = 163837500;

// The output error scale of one level.
constexpr int32_t OutputErrorScale = 2500;

inline int32_t SaturateAccumulator(int64_t value)
{
    return static_cast<int32_t>(std::clamp(value, -AccumulatorLimit, AccumulatorLimit));
}

// The stochastic quotient of a doubled accumulator by the width of the neuron's level.
inline int32_t LevelDelta(int32_t doubled, const LevelWidth& width, int32_t draw)
{
    const auto magnitude = static_cast<uint32_t>(doubled > 0 ? doubled : -doubled);
    uint32_t quotient = DivideByLevelWidth(magnitude, width);
    const uint32_t remainder = magnitude - quotient * width.width;
    quotient += remainder > DrawModuloLevelWidth(static_cast<uint32_t>(draw), width) ? 1u : 0u;
    const auto signedQuotient = static_cast<int32_t>(quotient);
    return doubled > 0 ? signedQuotient : -signedQuotient;
}

// The four steps of a neuron share the magnitude and sign of delta * rate, so each step is the
// stochastic quotient of that magnitude times its input by StepDivisor, applied in the common
// direction. The magnitude is below 2^62 with its input, so the unsigned product is exact.
struct StepBase {
    uint64_t magnitude;
    bool lowers;  // the product is positive, so the step lowers the weight
};

inline StepBase StepBaseOf(int32_t delta, int32_t rate)
{
    const auto deltaMagnitude = static_cast<uint64_t>(delta > 0 ? int64_t{delta} : -int64_t{delta});
    const auto rateMagnitude = static_cast<uint64_t>(rate > 0 ? int64_t{rate} : -int64_t{rate});
    return {deltaMagnitude * rateMagnitude, (delta < 0) == (rate < 0)};
}

// A step of 255 or more already takes any weight to an end of 0..255, so the step is capped
// there and the move stays in 32 bits.
inline uint8_t SteppedWeight(uint8_t weight, const StepBase& base, uint32_t input, int32_t draw)
{
    const uint64_t magnitude = base.magnitude * input;
    uint64_t quotient = magnitude / StepDivisor;
    const uint64_t remainder = magnitude - quotient * StepDivisor;
    quotient += remainder > static_cast<uint64_t>(draw) ? 1u : 0u;
    const auto step = static_cast<int32_t>(std::min<uint64_t>(quotient, 255));
    const int32_t moved = base.lowers ? int32_t{weight} - step : int32_t{weight} + step;
    return static_cast<uint8_t>(std::clamp(moved, 0, 255));
}

} // namespace

int32_t DiscreteNet::Learn(int32_t rate)
{
    LocalDrawStream draws;
    Neuron* const all = neurons.get();
    const int32_t firstOutput = neuronCount - outputCount;
    int64_t squaredErrors = 0;

    for (int32_t i = neuronCount - 1; i >= 0; --i) {
        Neuron& neuron = all[i];
        const int32_t level = neuron.level;
        int32_t accumulator = neuron.error;
        if (i >= firstOutput) {
            const int32_t error = level - int32_t{targets[neuronCount - 1 - i]};
            accumulator = error * OutputErrorScale;
            squaredErrors += error * error;
        }
        const int32_t doubled = SaturateAccumulator(int64_t{accumulator} * 2);
        // The delta's draw, then one for each weight step.
        int32_t drawn[5];
        draws.Take(drawn);
        const int32_t delta = LevelDelta(doubled, LevelWidths[static_cast<size_t>(level)], drawn[0]);
        neuron.error = delta;

        // Propagation touches only earlier neurons and makes no draw, so it can run before the
        // weight steps; it uses the weights as the forward pass did.
        if (neuron.firstLayer == 0) {
            for (int32_t m = 1; m <= 3; ++m) {
                Neuron& source = all[neuron.sources[m - 1]];
                const int64_t contribution = int64_t{neuron.weights[m]} * delta;
                const int64_t signedContribution = ((i + m) & 1) == 0 ? contribution : -contribution;
                source.error = SaturateAccumulator(int64_t{source.error} + signedContribution);
            }
        }

        const StepBase base = StepBaseOf(delta, rate);
        neuron.weights[0] = SteppedWeight(neuron.weights[0], base, 128, drawn[1]);
        for (int32_t m = 1; m <= 3; ++m) {
            neuron.weights[m] = SteppedWeight(neuron.weights[m], base, neuron.inputs[m - 1], drawn[m + 1]);
        }
    }

    // The mean over the outputs, by the same stochastic rule.
    const auto outputs = static_cast<uint64_t>(outputCount);
    const auto sum = static_cast<uint64_t>(squaredErrors);
    uint64_t mean = sum / outputs;
    mean += sum % outputs > static_cast<uint64_t>(draws.Next()) % outputs ? 1u : 0u;
    return static_cast<int32_t>(mean);
}
