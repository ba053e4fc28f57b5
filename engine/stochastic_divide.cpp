#include "engine/stochastic_divide.h"

#include "engine/pair_rounding.h"

namespace {

uint32_t NextPair(RandomSource& random)
{
    const auto first = static_cast<uint32_t>(random.Draw());
    return PairValue(first, static_cast<uint32_t>(random.Draw()));
}

// The rule on a magnitude: truncated quotient, raised by one when the remainder exceeds the
// random value below the divisor.
uint64_t DivideMagnitude(uint64_t magnitude, uint64_t divisor, RandomSource& random, Rounding rounding)
{
    const uint64_t quotient = magnitude / divisor;
    const uint64_t remainder = magnitude % divisor;
    if (rounding == Rounding::Precise && divisor > RandomSource::Max + 1u) {
        const bool raises = PairRaises(remainder, divisor, NextPair(random), [&random] { return NextPair(random); });
        return quotient + (raises ? 1 : 0);
    }
    return remainder > static_cast<uint64_t>(random.Draw()) % divisor ? quotient + 1 : quotient;
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
