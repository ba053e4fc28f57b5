#pragma once

#include <cstdint>

#include "engine/random_source.h"

// Divides dividend by divisor (> 0), truncating towards zero, and raises the magnitude of the
// quotient by one when the remainder exceeds one draw of random reduced modulo the divisor.
// Draws exactly one value on every call. Defined for every int32_t dividend.
int32_t StochasticDivide(int32_t dividend, int32_t divisor, RandomSource& random);

// The same rule for a 64-bit dividend; the result must fit in 32 bits (the caller guarantees it).
int32_t StochasticDivide64(int64_t dividend, int32_t divisor, RandomSource& random);
