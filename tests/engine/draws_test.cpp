#include <algorithm>
#include <climits>
#include <vector>

#include "engine/pair_rounding.h"
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

struct DivideCase {
    int64_t dividend;
    int32_t divisor;
    int32_t draw;
    int32_t expected;
    Rounding rounding = Rounding::Classic;
    int64_t taken = 1;
};

class ClassicDivision : public ::testing::TestWithParam<DivideCase> {};

// One draw decides: the quotient rises, away from zero, when the remainder exceeds the draw
// reduced modulo the divisor; precise rounding takes a pair instead above one draw's range.
// Networks of very many outputs divide their error sum this way.
TEST_P(ClassicDivision, OneDrawDecidesTheRounding)
{
    const auto [dividend, divisor, draw, expected, rounding, taken] = GetParam();
    ScriptedDraws draws({static_cast<uint16_t>(draw)});
    EXPECT_EQ(StochasticDivide64(dividend, divisor, draws.Source(), rounding), expected);
    EXPECT_EQ(draws.Taken(), taken);
}

// 7 / 2 rises on even draws; 50000 = 87 * 569 + 497, so draws from 497 on (modulo 569) keep 87;
// above 32768 the draw is its own remainder; the extremes of 32 bits and the error mean's wide sums.
INSTANTIATE_TEST_SUITE_P(
    Rows, ClassicDivision,
    ::testing::Values(DivideCase{0, 5, 4, 0}, DivideCase{7, 2, 0, 4}, DivideCase{7, 2, 32767, 3}, DivideCase{-7, 2, 1, -3},
                      DivideCase{-50000, 569, 496, -88}, DivideCase{50000, 569, 497, 87}, DivideCase{50000, 569, 569 + 496, 88},
                      DivideCase{32767, 163837500, 32767, 0}, DivideCase{32768, 163837500, 32767, 1},
                      DivideCase{INT32_MIN, 3, 2, -715827882}, DivideCase{int64_t{100000} * 65024 + 32768, 100000, 32767, 65025},
                      DivideCase{-(int64_t{3} << 40) - 1, 1 << 20, 0, -(3 << 20) - 1},
                      DivideCase{5, 32768, 0, 1, Rounding::Precise, 1}, DivideCase{5, 32769, 0, 1, Rounding::Precise, 2},
                      DivideCase{5, INT32_MAX, 0, 1, Rounding::Precise, 2}));

struct PairCase {
    uint64_t remainder;
    uint64_t divisor;
    std::vector<uint32_t> pairs;  // the first, then those asked for
    bool raises;
    size_t asked;
};

class PairComparison : public ::testing::TestWithParam<PairCase> {};

// The remainder exceeds floor(U * divisor) exactly when U * divisor < remainder; a pair settles
// it unless remainder * 2^30 falls strictly between pair * divisor and (pair + 1) * divisor.
TEST_P(PairComparison, SettlesByThePairsOfU)
{
    const PairCase& row = GetParam();
    size_t asked = 0;
    EXPECT_EQ(PairRaises(row.remainder, row.divisor, row.pairs[0], [&] { return row.pairs.at(++asked); }), row.raises);
    EXPECT_EQ(asked, row.asked);
    EXPECT_EQ(PairUndecided(row.remainder, row.divisor, row.pairs[0]), row.asked > 0);
}

// For remainder 1 of 163837500, pair 6 is undecided (the rest 2^30 - 6 * 163837500 = 90716824
// goes on, whose pairs raise up to 594530848). 40959375 * 2^30 is 2^28 * 163837500 exactly, the
// case the random draws of the reference match almost never meet. The last rows take level 254's
// width.
INSTANTIATE_TEST_SUITE_P(
    Rows, PairComparison,
    ::testing::Values(PairCase{0, 163837500, {0}, false, 0}, PairCase{1, 163837500, {6, 594530848}, true, 1},
                      PairCase{1, 163837500, {6, 594530849, 0}, true, 2}, PairCase{1, 163837500, {6, 594530850}, false, 1},
                      PairCase{40959375, 163837500, {(1u << 28) - 1}, true, 0}, PairCase{40959375, 163837500, {1u << 28}, false, 0},
                      PairCase{20000, 40268, {533297815}, true, 0}, PairCase{20000, 40268, {533297816, (1u << 30) - 1}, false, 1}));

} // namespace
