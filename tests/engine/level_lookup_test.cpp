#include <gtest/gtest.h>

#include "engine/level_lookup.h"

// The one-comparison level lookup against the bracket of the bisection, for every sum a neuron
// can reach.
TEST(LevelOfSum, AgreesWithTheBracketForEverySum)
{
    for (uint32_t sum = 0; sum <= MaxNeuronSum; ++sum) {
        const LevelBracket bracket = BracketOfSum(sum);
        ASSERT_EQ(LevelOfSum(sum), bracket.lo) << "sum " << sum;
        ASSERT_EQ(sum >= ActivationTable[0] ? bracket.lo + 1 : 0u, bracket.hi) << "sum " << sum;
    }
}
