#pragma once

#include <cstdint>

// The constants of learning, apart from the code that uses them, so that every path (the vector
// kernels too) reads the same values.

// Error accumulators saturate symmetrically at this magnitude, so that every one fits in 31 bits.
inline constexpr int32_t AccumulatorLimit = 0x7FFFFFFF;

// Fixed-point scale of a level error. The slope of the activation is 2 levels across a level
// width of 408..40268 sum units, so the true delta 2e / width is below 1 almost everywhere and
// would vanish in integers; scaled by 2500 it keeps about three digits (one level of error at a
// mid-table width of about 500 becomes a delta of about 10), while the largest output error,
// 254 * 2500 doubled, stays far inside 32 bits.
inline constexpr int32_t OutputErrorScale = 2500;

// The divisor of every weight step: OutputErrorScale * 65535. The product delta * input * rate
// carries the error scale in delta and the rate, a mean squared level error of at most
// 255 * 255 = 65025, in the hundreds of thousands; dividing by 2500 undoes the scale and by
// 65535 turns the rate into a fraction below one, so a step is a few units at most. A classic
// draw never reaches it, so the draw is its own remainder.
inline constexpr uint32_t StepDivisor = uint32_t{OutputErrorScale} * 65535u;
static_assert(StepDivisor == 163837500);

// While |delta * rate| stays below this, every step product (at most times 255) is below
// StepDivisor: the truncated quotient is 0 and a step is 0 or 1.
inline constexpr uint32_t SmallStepBase = StepDivisor / 255;
static_assert(SmallStepBase * 255 == StepDivisor);

// While |delta * rate| stays at most this, every step product (at most times 255) plus
// StepDivisor - 1 stays below 2^32, where 32-bit arithmetic divides exactly (see below).
inline constexpr uint32_t MediumStepBase = static_cast<uint32_t>(((uint64_t{1} << 32) - StepDivisor) / 255);

// A sum below 2^32 divided by StepDivisor is its quarter (below 2^30) divided by QuarterStepDivisor,
// StepDivisor being a multiple of 4; and (y * QuarterStepReciprocal) >> QuarterStepReciprocalShift
// is y div QuarterStepDivisor for every y below 2^30: the multiplier is ceil(2^(30 + 26) / divisor)
// for a divisor below 2^26, which errs by less than the divisor in 2^56 (Granlund and Montgomery),
// and it fits 32 bits, the divisor being above 2^24.
inline constexpr uint32_t QuarterStepDivisor = StepDivisor / 4;
static_assert(StepDivisor % 4 == 0);
static_assert(QuarterStepDivisor < (1u << 26) && QuarterStepDivisor > (1u << 24));
inline constexpr uint32_t QuarterStepReciprocalShift = 30 + 26;
inline constexpr uint32_t QuarterStepReciprocal = static_cast<uint32_t>(
    ((uint64_t{1} << QuarterStepReciprocalShift) + QuarterStepDivisor - 1) / QuarterStepDivisor);

// The draws of a Learn (learning_rules.h gives the layout): neurons per chunk, and draws per
// neuron in each rounding (precise: the fixed draws).
inline constexpr int32_t LearnChunk = 256;
inline constexpr int32_t ClassicNeuronDraws = 5;
inline constexpr int32_t PreciseNeuronDraws = 10;
// Slots of a precise neuron's fixed draws: the delta draw, and the first of each step's pair.
inline constexpr int32_t PreciseDeltaSlot = 0;
inline constexpr int32_t PreciseStepSlot[4] = {2, 4, 6, 8};
