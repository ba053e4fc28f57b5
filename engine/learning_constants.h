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
