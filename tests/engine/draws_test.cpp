#include <algorithm>
#include <vector>

#include "engine/stochastic_divide.h"
#include "engine/xoshiro_lanes.h"
#include "tests/engine/engine_test_support.h"

namespace {

class GeneratorLanes : public ::testing::TestWithParam<EnginePath> {};

// The lanes of a vector path, started through the jump tables, continue the one sequence: the
// same draws as the generator one output at a time, across batches and a ragged end.
TEST_P(GeneratorLanes, GiveTheSequenceOfTheSingleGenerator)
{
    if (!IsEnginePathSupported(GetParam()))
        GTEST_SKIP() << "this processor cannot run the " << EnginePathName(GetParam()) << " path";
    constexpr size_t Words = 3 * MaxLanes * LaneOutputs + 37;
    uint64_t single[4];
    uint64_t lanes[4];
    SeededState(~uint64_t{0}, single);
    SeededState(~uint64_t{0}, lanes);
    std::vector<uint16_t> expected(4 * Words + 1, 0xFFFF);
    std::vector<uint16_t> seen = expected;
    GenerateDraws(single, expected.data(), Words, EnginePath::Scalar);
    GenerateDraws(lanes, seen.data(), Words, GetParam());
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(seen.back(), 0xFFFF) << "wrote past the end";
    EXPECT_TRUE(std::equal(single, single + 4, lanes)) << "the states parted";
}

INSTANTIATE_TEST_SUITE_P(Paths, GeneratorLanes, ::testing::Values(EnginePath::Avx2, EnginePath::Avx512),
                         [](const auto& param) { return std::string(EnginePathName(param.param)); });

// Precise rounding takes a pair for a divisor above 32768 only.
TEST(PreciseDivision, DrawsAPairAboveOneDrawsRange)
{
    for (const auto& [divisor, draws] : {std::pair{32768, 1}, std::pair{32769, 2}, std::pair{INT32_MAX, 2}}) {
        ScriptedDraws zeros({});
        StochasticDivide(5, divisor, zeros.Source(), Rounding::Precise);
        EXPECT_EQ(zeros.Taken(), draws) << "divisor " << divisor;
    }
}

} // namespace
