#pragma once

#include <cstdint>

#include "engine/random_source.h"

// Values uniform on 0..divisor - 1 for divisors above one draw's range, made without bias from
// pairs of 15-bit draws: the first draw gives the high 15 bits of a 30-bit value, the second the
// low 15. A value at or above the largest multiple of the divisor that fits in 30 bits is
// rejected and the next pair taken; what is kept, modulo the divisor, is uniform.

// Largest divisor these values serve: one multiple of it must fit in 30 bits.
inline constexpr uint32_t UniformMaxDivisor = 1u << 30;

inline constexpr uint32_t PairValue(uint32_t first, uint32_t second)
{
    return (first << 15) | second;
}

// The first 30-bit value that is rejected for divisor.
inline constexpr uint32_t RejectionLimit(uint32_t divisor)
{
    return static_cast<uint32_t>((uint64_t{1} << 30) / divisor * divisor);
}

// Takes pairs from random until one falls below the limit, starting with value (already made
// of a pair); returns that value, not yet reduced.
inline uint32_t AcceptedPairValue(uint32_t value, uint32_t limit, RandomSource& random)
{
    while (value >= limit) {
        const auto first = static_cast<uint32_t>(random.Draw());
        value = PairValue(first, static_cast<uint32_t>(random.Draw()));
    }
    return value;
}

// A value uniform on 0..divisor - 1 (32768 < divisor <= UniformMaxDivisor) from the next pairs.
inline uint32_t UniformBelow(uint32_t divisor, RandomSource& random)
{
    const auto first = static_cast<uint32_t>(random.Draw());
    const uint32_t value = PairValue(first, static_cast<uint32_t>(random.Draw()));
    return AcceptedPairValue(value, RejectionLimit(divisor), random) % divisor;
}
