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

// (x * StepReciprocal) >> StepReciprocalShift is x div StepDivisor for every x below 2^31:
// ceil(2^(31 + 28) / StepDivisor), StepDivisor being below 2^28.
inline constexpr uint32_t StepReciprocalShift = 31 + 28;
inline constexpr uint32_t StepReciprocal =
    static_cast<uint32_t>(((uint64_t{1} << StepReciprocalShift) + StepDivisor - 1) / StepDivisor);
static_assert(StepDivisor < (1u << 28) && StepDivisor > (1u << 27));

// While |delta * rate| stays at most this, every step product (at most times 255) plus
// StepDivisor - 1 stays below 2^31, where 32-bit arithmetic with StepReciprocal is exact.
inline constexpr uint32_t MediumStepBase = ((uint32_t{1} << 31) - StepDivisor) / 255;

// The draws of a Learn (learning_rules.h gives the layout): neurons per chunk, and draws per
// neuron in each rounding (precise: the fixed draws).
inline constexpr int32_t LearnChunk = 256;
inline constexpr int32_t ClassicNeuronDraws = 5;
inline constexpr int32_t PreciseNeuronDraws = 10;
// Slots of a precise neuron's fixed draws: the delta draw, and the first of each step's pair.
inline constexpr int32_t PreciseDeltaSlot = 0;
inline constexpr int32_t PreciseStepSlot[4] = {2, 4, 6, 8};
