#pragma once

#include <cstdint>

// Precise rounding of a division by a divisor d above one draw's range: the remainder r is
// compared with u = floor(U * d), where U is a real number in [0, 1) whose binary digits come
// from the random sequence 30 at a time, each 30 from a pair of draws (the first draw the high
// 15 bits). u is uniform on 0..d - 1, so the quotient rises with chance r / d exactly.
//
// The first pair V decides almost always: r > u exactly when V * d < r * 2^30, unless
// V * d < r * 2^30 < (V + 1) * d, where U's later digits decide (chance 2^-30 whatever r and d);
// then the next pair decides the same question for r' = r * 2^30 - V * d, and so on.

inline constexpr uint32_t PairBits = 30;

inline constexpr uint32_t PairValue(uint32_t first, uint32_t second)
{
    return (first << 15) | second;
}

// True when remainder (below divisor, at most 2^33) exceeds floor(U * divisor), U's digits being
// pair and then the values of morePairs(), called only while they are undecided.
template <typename MorePairs>
inline bool PairRaises(uint64_t remainder, uint64_t divisor, uint32_t pair, MorePairs&& morePairs)
{
    uint64_t target = remainder << PairBits;
    for (;;) {
        const uint64_t low = uint64_t{pair} * divisor;
        if (low >= target) {
            return false;
        }
        if (target - low >= divisor) {
            return true;
        }
        target = (target - low) << PairBits;
        pair = morePairs();
    }
}

// Whether the first pair leaves the comparison undecided.
inline bool PairUndecided(uint64_t remainder, uint64_t divisor, uint32_t pair)
{
    const uint64_t target = remainder << PairBits;
    const uint64_t low = uint64_t{pair} * divisor;
    return low < target && target - low < divisor;
}
