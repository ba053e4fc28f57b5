#include <gtest/gtest.h>

#include <cstdint>

#include "engine/level_lookup.h"
#include "tests/engine/reference_net.h"

namespace {

TEST(LevelLookupTest, AgreesWithEightProbesForEverySum)
{
    for (uint32_t sum = 0; sum <= MaxNeuronSum; ++sum) {
        const ReferenceBracket expected = BisectSum(sum);
        const LevelBracket actual = BracketOfSum(sum);
        ASSERT_EQ(actual.lo, expected.lo) << "sum " << sum;
        ASSERT_EQ(actual.hi, expected.hi) << "sum " << sum;
    }
}

} // namespace
