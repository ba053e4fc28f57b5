#pragma once

#include <cstdint>

#include "engine/random_source.h"
#include "engine/rounding.h"

// Divides dividend by divisor (> 0), truncating towards zero, and raises the magnitude of the
// quotient by one when the remainder exceeds a random value below the divisor: in classic
// rounding one draw reduced modulo the divisor (exactly one draw on every call); in precise
// rounding, for a divisor above 32768, the value of pair_rounding.h (two draws, and two more
// with chance 2^-30). Defined for every int32_t dividend.
int32_t StochasticDivide(int32_t dividend, int32_t divisor, RandomSource& random,
                         Rounding rounding = Rounding::Classic);

// The same rule for a 64-bit dividend; the result must fit in 32 bits (the caller guarantees it).
int32_t StochasticDivide64(int64_t dividend, int32_t divisor, RandomSource& random,
                           Rounding rounding = Rounding::Classic);
