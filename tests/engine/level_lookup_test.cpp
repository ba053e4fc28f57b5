#include <gtest/gtest.h>

#include <cstdint>

#include "engine/level_lookup.h"
#include "tests/engine/reference_net.h"

namespace {

TEST(LevelLookupTest, ThresholdEdgesGiveLevelAndOutputSlot)
{
    struct Row {
        uint32_t sum;
        uint32_t level;
        uint32_t slot;
    };
    const Row rows[] = {
        {0, 0, 0},          {10511, 0, 0},       {10512, 0, 1},       {13083, 0, 1},       {13084, 1, 2},
        {15566, 1, 2},      {15567, 2, 3},       {97665, 223, 224},   {144507, 253, 254},  {144508, 254, 255},
        {177887, 254, 255}, {177888, 254, 255},  {MaxNeuronSum, 254, 255},
    };
    for (const Row& row : rows) {
        const LevelBracket bracket = BracketOfSum(row.sum);
        EXPECT_EQ(bracket.lo, row.level) << "sum " << row.sum;
        EXPECT_EQ(bracket.hi, row.slot) << "sum " << row.sum;
    }
}

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
