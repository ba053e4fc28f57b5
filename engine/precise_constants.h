#pragma once

#include <cstdint>

#include "engine/learning_constants.h"

// The constants of precise rounding that the vector kernels share with the portable code.

// The one level whose width (40268) exceeds a draw's range.
inline constexpr uint32_t PreciseWideLevel = 254;

// A step's pair value at or above this (the largest multiple of StepDivisor in 30 bits) is
// rejected.
inline constexpr uint32_t PreciseStepLimit = static_cast<uint32_t>((uint64_t{1} << 30) / StepDivisor * StepDivisor);

// (x * StepReciprocal) >> StepReciprocalShift is x div StepDivisor for every x below 2^31:
// ceil(2^(31 + 28) / StepDivisor), StepDivisor being below 2^28.
inline constexpr uint32_t StepReciprocalShift = 31 + 28;
inline constexpr uint32_t StepReciprocal =
    static_cast<uint32_t>(((uint64_t{1} << StepReciprocalShift) + StepDivisor - 1) / StepDivisor);
static_assert(StepDivisor < (1u << 28) && StepDivisor > (1u << 27));
