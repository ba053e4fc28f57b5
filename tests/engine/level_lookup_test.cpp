#include <gtest/gtest.h>

#include <cstdint>

#include "engine/activation_table.h"
#include "engine/level_lookup.h"

namespace {

// The bisection as the forward pass defines it: eight probes from the bracket 0..255.
LevelBracket EightProbes(uint32_t sum)
{
    uint32_t lo = 0;
    uint32_t hi = 255;
    for (int probe = 0; probe < 8; ++probe) {
        const uint32_t mid = (lo + hi) / 2;
        if (ActivationTable[mid] <= sum) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return {lo, hi};
}

TEST(LevelLookupTest, AgreesWithEightProbesForEverySum)
{
    for (uint32_t sum = 0; sum <= MaxNeuronSum; ++sum) {
        const LevelBracket expected = EightProbes(sum);
        const LevelBracket actual = BracketOfSum(sum);
        ASSERT_EQ(actual.lo, expected.lo) << "sum " << sum;
        ASSERT_EQ(actual.hi, expected.hi) << "sum " << sum;
    }
}

} // namespace
