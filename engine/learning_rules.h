#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/learning_constants.h"
#include "engine/level_width.h"
#include "engine/pair_rounding.h"
#include "engine/precise_constants.h"
#include "engine/random_source.h"
#include "engine/rounding.h"

// The arithmetic of learning that every path of Learn shares, and the layout of its draws.

// The draws of a Learn. Neurons are taught from the last to the first, band by band, and each
// band in chunks of at most LearnChunk neurons from its top down; each chunk takes its draws from
// the source at once.
//
// Classic: 5 draws per neuron in teaching order (the delta, then the four weight steps), then one
// draw for the mean: 5N + 1 in all. Chunks do not change this order.
//
// Precise: a chunk of n neurons takes 10n fixed draws, laid out by slot: slot s of the neuron at
// position p (its index less the chunk's lowest index) is draw s * n + p. Slot 0 is the delta
// draw: reduced modulo the level's width, or at level 254 (the one width above 32768) the high
// half of the delta's pair, whose low half is slot 1 (unused at other levels). Slots 2 + 2m and
// 3 + 2m are weight step m's pair. A pair decides its comparison unless it leaves it undecided
// (pair_rounding.h, chance 2^-30); after its fixed draws the chunk takes, in teaching order (and
// for each neuron its delta before its steps 0..3), two draws for each further pair that an
// undecided comparison needs. The mean takes one draw, or a pair (with its rare further pairs)
// when the output count exceeds 32768. So a Learn takes 10N + 1 draws, 10N + 2 with more than
// 32768 outputs, and two more for each undecided comparison.
inline constexpr uint32_t WideLevel = PreciseWideLevel;

inline int32_t SaturateAccumulator(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, -AccumulatorLimit, AccumulatorLimit));
}

// The truncated quotient and remainder of a doubled accumulator's magnitude by a level's width.
struct LevelQuotient {
    uint32_t quotient;
    uint32_t remainder;
};

inline LevelQuotient DivideDoubled(int32_t doubled, const LevelWidth& width)
{
    const auto magnitude = static_cast<uint32_t>(doubled > 0 ? doubled : -doubled);
    const uint32_t quotient = DivideByLevelWidth(magnitude, width);
    return {quotient, magnitude - quotient * width.width};
}

// The delta: the quotient, raised when raises, with the sign of the doubled accumulator.
inline int32_t SignedDelta(int32_t doubled, uint32_t quotient, bool raises)
{
    const auto magnitude = static_cast<int32_t>(quotient + (raises ? 1u : 0u));
    return doubled > 0 ? magnitude : -magnitude;
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

// A weight moved by step (below 2^62) in the direction of base: lowering a weight is raising its bitwise
// complement 255 - w, and a raise stops at 255, so one capped addition moves it either way.
inline uint8_t MovedWeight(uint8_t weight, const StepBase& base, uint64_t step)
{
    const uint64_t moved = std::min<uint64_t>((weight ^ base.flip) + step, 255);
    return static_cast<uint8_t>(moved ^ base.flip);
}

// The step of a product by StepDivisor, raised when its remainder exceeds uniform (below the
// divisor): one truncated quotient, since adding StepDivisor - 1 - uniform carries into the next
// multiple exactly when the remainder exceeds uniform.
inline uint64_t RaisedStep(uint64_t product, uint64_t uniform)
{
    return (product + (StepDivisor - 1 - uniform)) / StepDivisor;
}

// Classic rounding: uniform is the draw, 0..32767.
inline uint8_t ClassicSteppedWeight(uint8_t weight, const StepBase& base, uint32_t input, uint32_t uniform)
{
    return MovedWeight(weight, base, RaisedStep(base.magnitude * input, uniform));
}

// Precise rounding: the remainder is compared with floor(U * StepDivisor) (pair_rounding.h). The
// pair settles that value as floor(pair * StepDivisor / 2^30), or one more where the low 30 bits
// of pair * StepDivisor exceed 2^30 - StepDivisor; that only matters when the remainder is just
// above the settled value, which the raised sum shows by being an exact multiple of the divisor.
template <typename MorePairs>
inline uint8_t PreciseSteppedWeight(uint8_t weight, const StepBase& base, uint32_t input, uint32_t pair,
                                    MorePairs&& morePairs)
{
    const uint64_t product = base.magnitude * input;
    const uint64_t scaled = uint64_t{pair} * StepDivisor;
    const uint64_t settled = scaled >> PairBits;
    const uint64_t raised = product + (StepDivisor - 1 - settled);
    uint64_t step = raised / StepDivisor;
    // Both tests in full, without a branch on the first: a sixth of the pairs are at the edge.
    const bool edge = (scaled & ((uint64_t{1} << PairBits) - 1)) > (uint64_t{1} << PairBits) - StepDivisor;
    const bool exact = raised == step * StepDivisor;
    if (edge & exact) [[unlikely]] {
        const uint64_t quotient = product / StepDivisor;
        step = quotient + (PairRaises(product - quotient * StepDivisor, StepDivisor, pair, morePairs) ? 1 : 0);
    }
    return MovedWeight(weight, base, step);
}

// A neuron's fixed precise draws: the delta draw, the delta's pair (used at level 254 only) and
// the four steps' pairs.
struct PreciseNeuron {
    uint32_t delta;
    uint32_t deltaPair;
    uint32_t step[4];
};

// The draws of a precise chunk: its fixed draws and the further pairs after them. Reads through
// a window on the source that grows (and may move) when further pairs are taken; Finish takes
// what was read.
class PreciseChunkDraws {
public:
    PreciseChunkDraws(RandomSource& source, int32_t chunkSize)
        : random(source), size(static_cast<size_t>(chunkSize)), fixed(PreciseNeuronDraws * size),
          drawn(source.Peek(fixed))
    {
    }

    // The fixed draws of the neuron at position p of the chunk.
    PreciseNeuron Neuron(int32_t p) const
    {
        const uint16_t* own = drawn + p;
        const auto slot = [own, this](int32_t index) { return uint32_t{own[static_cast<size_t>(index) * size]}; };
        PreciseNeuron neuron{slot(PreciseDeltaSlot), PairValue(slot(PreciseDeltaSlot), slot(PreciseDeltaSlot + 1)), {}};
        for (int32_t m = 0; m < 4; ++m) {
            neuron.step[m] = PairValue(slot(PreciseStepSlot[m]), slot(PreciseStepSlot[m] + 1));
        }
        return neuron;
    }

    uint32_t NextPair()
    {
        drawn = random.Peek(fixed + extras + 2);
        const uint32_t pair = PairValue(drawn[fixed + extras], drawn[fixed + extras + 1]);
        extras += 2;
        return pair;
    }

    void Finish() { random.Skip(fixed + extras); }

private:
    RandomSource& random;
    size_t size;
    size_t fixed;
    size_t extras = 0;
    const uint16_t* drawn;
};

// The precise delta of a doubled accumulator at level: the classic rule on its draw for a width
// up to 32768, the pair rule at level 254.
inline int32_t PreciseLevelDelta(int32_t doubled, uint8_t level, const PreciseNeuron& own, PreciseChunkDraws& draws)
{
    const LevelWidth& width = LevelWidths[level];
    const LevelQuotient division = DivideDoubled(doubled, width);
    const bool raises = level == WideLevel
                            ? PairRaises(division.remainder, width.width, own.deltaPair, [&draws] { return draws.NextPair(); })
                            : division.remainder > DrawModuloLevelWidth(own.delta, width);
    return SignedDelta(doubled, division.quotient, raises);
}

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
