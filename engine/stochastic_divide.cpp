#include "engine/stochastic_divide.h"

#include "engine/uniform_draw.h"

namespace {

// A value uniform on 0..divisor - 1 for a divisor above 2^30, from three draws at a time (45
// bits), rejecting values at or above the largest multiple of the divisor.
uint64_t UniformBelowWide(uint64_t divisor, RandomSource& random)
{
    const uint64_t limit = (uint64_t{1} << 45) / divisor * divisor;
    for (;;) {
        uint64_t value = 0;
        for (int part = 0; part < 3; ++part) {
            value = (value << 15) | static_cast<uint64_t>(random.Draw());
        }
        if (value < limit) {
            return value % divisor;
        }
    }
}

// The value the remainder is compared with.
uint64_t RandomBelow(uint64_t divisor, RandomSource& random, Rounding rounding)
{
    if (rounding == Rounding::Precise && divisor > RandomSource::Max + 1u) {
        return divisor <= UniformMaxDivisor ? UniformBelow(static_cast<uint32_t>(divisor), random)
                                            : UniformBelowWide(divisor, random);
    }
    return static_cast<uint64_t>(random.Draw()) % divisor;
}

// The rule on a magnitude: truncated quotient, raised by one when the remainder exceeds the
// random value.
uint64_t DivideMagnitude(uint64_t magnitude, uint64_t divisor, RandomSource& random, Rounding rounding)
{
    const uint64_t quotient = magnitude / divisor;
    const uint64_t remainder = magnitude % divisor;
    return remainder > RandomBelow(divisor, random, rounding) ? quotient + 1 : quotient;
}

} // namespace

int32_t StochasticDivide(int32_t dividend, int32_t divisor, RandomSource& random, Rounding rounding)
{
    // In 64 bits the magnitude of INT32_MIN fits, and so does its negated quotient.
    const int64_t wide = dividend;
    const auto magnitude = static_cast<uint64_t>(wide > 0 ? wide : -wide);
    const auto quotient =
        static_cast<int64_t>(DivideMagnitude(magnitude, static_cast<uint64_t>(divisor), random, rounding));
    return static_cast<int32_t>(dividend > 0 ? quotient : -quotient);
}

int32_t StochasticDivide64(int64_t dividend, int32_t divisor, RandomSource& random, Rounding rounding)
{
    // Unsigned negation, because the magnitude of INT64_MIN has no signed 64-bit form.
    const uint64_t magnitude = dividend > 0 ? static_cast<uint64_t>(dividend) : 0 - static_cast<uint64_t>(dividend);
    const uint64_t quotient = DivideMagnitude(magnitude, static_cast<uint64_t>(divisor), random, rounding);
    // Negated unsigned too; the conversion to 32 bits is exact whenever the result fits there.
    return static_cast<int32_t>(dividend > 0 ? quotient : 0 - quotient);
}
