#include "engine/stochastic_divide.h"

namespace {

// The rule on a magnitude: truncated quotient, raised by one when the remainder exceeds the
// draw reduced modulo the divisor.
uint64_t DivideMagnitude(uint64_t magnitude, uint64_t divisor, RandomSource& random)
{
    const uint64_t quotient = magnitude / divisor;
    const uint64_t remainder = magnitude % divisor;
    const uint64_t reducedDraw = static_cast<uint64_t>(random.Draw()) % divisor;
    return remainder > reducedDraw ? quotient + 1 : quotient;
}

} // namespace

int32_t StochasticDivide(int32_t dividend, int32_t divisor, RandomSource& random)
{
    // In 64 bits the magnitude of INT32_MIN fits, and so does its negated quotient.
    const int64_t wide = dividend;
    const auto magnitude = static_cast<uint64_t>(wide > 0 ? wide : -wide);
    const auto quotient = static_cast<int64_t>(DivideMagnitude(magnitude, static_cast<uint64_t>(divisor), random));
    return static_cast<int32_t>(dividend > 0 ? quotient : -quotient);
}

int32_t StochasticDivide64(int64_t dividend, int32_t divisor, RandomSource& random)
{
    // Unsigned negation, because the magnitude of INT64_MIN has no signed 64-bit form.
    const uint64_t magnitude = dividend > 0 ? static_cast<uint64_t>(dividend) : 0 - static_cast<uint64_t>(dividend);
    const uint64_t quotient = DivideMagnitude(magnitude, static_cast<uint64_t>(divisor), random);
    // Negated unsigned too; the conversion to 32 bits is exact whenever the result fits there.
    return static_cast<int32_t>(dividend > 0 ? quotient : 0 - quotient);
}
