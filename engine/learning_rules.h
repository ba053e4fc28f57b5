#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/learning_constants.h"
#include "engine/level_width.h"
#include "engine/precise_constants.h"
#include "engine/random_source.h"
#include "engine/rounding.h"

// The arithmetic of learning that every path of Learn shares, and the layout of its draws.

// The draws of a Learn. Neurons are taught band by band from the last band to the first, and in
// each band in chunks of at most LearnChunk neurons from its highest index down; each chunk takes
// its draws from the source at once.
//
// Classic: 5 draws per neuron, in teaching order (from the last neuron to the first): the delta,
// then the four weight steps; then one draw for the mean. 5N + 1 in all.
//
// Precise: a chunk of n neurons takes 17n draws, laid out by slot with position p = i - (lowest
// index of the chunk) inside each slot: slot 0 holds the delta draws (draw p); slots 1 + 2m and
// 2 + 2m the high and low halves of step m's pair; slots 9 + 2m and 10 + 2m a spare pair that
// step m takes when its first pair is rejected. Then, in teaching order, the chunk takes its
// extra draws: for a neuron at level 254 (the one level whose width, 40268, exceeds 32768) one
// draw that completes the delta pair (its delta draw is the high half), and for every further
// rejected pair (the delta's, or a step's after its spare) two draws for the next pair. Every
// neuron takes its draws whether or not its delta is zero, so the counts depend only on the
// draws themselves and the levels of Forward. The mean takes one draw, or a pair with its
// rejections when the output count exceeds 32768. In all
//   17N + (neurons at level 254) + 2 * (pairs rejected after the spares)
//       + (1, or 2 + 2 * rejections for the mean).
// A step pair is rejected with chance q = 90716824 / 2^30 (about 0.0845), so a step needs pairs
// beyond its spare with chance q^2 (about 0.0071) and then 1 / (1 - q) of them on average; a
// level-254 pair is rejected with chance 35872 / 2^30. A Learn takes about
// 17.06N + (neurons at level 254) + 1 draws on average. The spares keep the draws of almost every
// neuron at fixed places, which the vector kernels read side by side; only about one neuron in
// thirty-five (and those at level 254) needs draws past them.
inline constexpr int32_t LearnChunk = 256;
inline constexpr int32_t ClassicNeuronDraws = 5;
inline constexpr int32_t PreciseNeuronDraws = 17;

inline int32_t SaturateAccumulator(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, -AccumulatorLimit, AccumulatorLimit));
}

// The stochastic quotient of a doubled accumulator by the width of the neuron's level: raised
// when the remainder exceeds uniform (a value 0..width - 1).
inline int32_t LevelDelta(int32_t doubled, const LevelWidth& width, uint32_t uniform)
{
    const auto magnitude = static_cast<uint32_t>(doubled > 0 ? doubled : -doubled);
    uint32_t quotient = DivideByLevelWidth(magnitude, width);
    const uint32_t remainder = magnitude - quotient * width.width;
    quotient += remainder > uniform ? 1u : 0u;
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

// The stochastic quotient q + (r > uniform) is one truncated quotient: adding
// StepDivisor - 1 - uniform carries into the next multiple exactly when the remainder r exceeds
// uniform (0..StepDivisor - 1). Lowering a weight is raising its bitwise complement 255 - w, and a
// raise stops at 255, so one capped addition moves the weight either way.
inline uint8_t SteppedWeight(uint8_t weight, const StepBase& base, uint32_t input, uint32_t uniform)
{
    const uint64_t raised = base.magnitude * input + (StepDivisor - 1 - uniform);
    const uint64_t moved = std::min<uint64_t>((weight ^ base.flip) + raised / StepDivisor, 255);
    return static_cast<uint8_t>(moved ^ base.flip);
}

// The values that one chunk's divisions compare their remainders with, by position in the chunk.
// A delta's value is the draw itself (0..32767, still to be reduced modulo the level's width),
// except at level 254, where it is already a value 0..40267 (reducing it again changes nothing).
struct ChunkUniforms {
    uint32_t delta[LearnChunk];
    uint32_t step[4][LearnChunk];  // 0..StepDivisor - 1
};

inline constexpr uint32_t WideLevel = PreciseWideLevel;
inline constexpr uint32_t StepLimit = PreciseStepLimit;

// Takes the precise draws of the chunk of size neurons from bottom up, whose levels are
// levels[0..size), and resolves them into uniforms: the fixed draws (ResolvePreciseFixed, or a
// vector kernel that does the same), then the extra draws (ResolvePreciseExtras).
void ResolvePreciseChunk(const uint8_t* levels, int32_t size, RandomSource& random, ChunkUniforms& uniforms);

// The fixed part: delta[p] the delta draw, step[m][p] the first accepted of the step's pair and
// spare reduced modulo StepDivisor, or the spare left whole (at or above StepLimit) where both are
// rejected; bit p of needsExtras set for every neuron that takes extra draws (at level 254 or with
// both pairs of a step rejected).
void ResolvePreciseFixed(const uint16_t* drawn, int32_t size, const uint8_t* levels, uint32_t* delta,
                         uint32_t* const* step, uint64_t* needsExtras);

// The extra draws, in teaching order, for the neurons that needExtras marks.
void ResolvePreciseExtras(const uint8_t* levels, int32_t size, const uint64_t* needsExtras, RandomSource& random,
                          ChunkUniforms& uniforms);

// The error that Learn returns: the stochastic mean of the squared errors over the outputs, by
// the rule of the rounding (its last draws).
int32_t StochasticMeanError(int64_t squaredErrors, int32_t outputCount, RandomSource& random, Rounding rounding);

// Calls teach(top, bottom, bandStart) for every chunk of a network of neuronCount neurons in
// bands of width, in teaching order.
template <typename Teach>
inline void ForEachLearnChunk(int32_t neuronCount, int32_t width, Teach&& teach)
{
    const int32_t lastBandStart = (neuronCount - 1) / width * width;
    for (int32_t bandStart = lastBandStart; bandStart >= 0; bandStart -= width) {
        const int32_t bandTop = std::min(bandStart + width, neuronCount) - 1;
        for (int32_t top = bandTop; top >= bandStart; top -= LearnChunk) {
            teach(top, std::max(top - LearnChunk + 1, bandStart), bandStart);
        }
    }
}
