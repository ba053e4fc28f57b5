#include <climits>
#include <cmath>
#include <vector>

#include "engine/pair_rounding.h"
#include "engine/stochastic_divide.h"
#include "tests/engine/engine_test_support.h"

namespace {

struct DivideCase {
    int64_t dividend;
    int32_t divisor;
    int32_t draw;
    int32_t expected;
};

class ClassicDivision : public ::testing::TestWithParam<DivideCase> {};

// One draw decides, reduced modulo the divisor; both widths of dividend where it fits 32 bits.
TEST_P(ClassicDivision, OneDrawDecidesTheRounding)
{
    const auto [dividend, divisor, draw, expected] = GetParam();
    int32_t wide = 0;
    EXPECT_EQ(CountDraws([&](RandomSource& draws) { wide = StochasticDivide64(dividend, divisor, draws); }, draw), 1);
    EXPECT_EQ(wide, expected);
    if (dividend >= INT32_MIN && dividend <= INT32_MAX) {
        int32_t narrow = 0;
        CountDraws([&](RandomSource& draws) { narrow = StochasticDivide(static_cast<int32_t>(dividend), divisor, draws); },
                   draw);
        EXPECT_EQ(narrow, expected);
    }
}

// Zero and exact multiples never move; 7 / 2 raises on even draws, away from zero; the draw is
// reduced modulo the divisor first (50000 = 87 * 569 + 497); above 32768 the draw is its own
// remainder; the extremes of 32 bits and the error mean's wide dividends.
INSTANTIATE_TEST_SUITE_P(
    Rows, ClassicDivision,
    ::testing::Values(DivideCase{0, 5, 4, 0}, DivideCase{6, 3, 32767, 2}, DivideCase{-6, 3, 0, -2},
                      DivideCase{7, 2, 0, 4}, DivideCase{7, 2, 32767, 3}, DivideCase{-7, 2, 0, -4},
                      DivideCase{-7, 2, 1, -3}, DivideCase{-50000, 569, 496, -88}, DivideCase{50000, 569, 497, 87},
                      DivideCase{50000, 569, 569 + 496, 88}, DivideCase{1, 163837500, 0, 1},
                      DivideCase{32767, 163837500, 32767, 0}, DivideCase{32768, 163837500, 32767, 1},
                      DivideCase{-163837499, 163837500, 32767, -1}, DivideCase{INT32_MIN, 3, 0, -715827883},
                      DivideCase{INT32_MIN, 3, 2, -715827882}, DivideCase{INT32_MIN, INT32_MAX, 1, -1},
                      DivideCase{int64_t{100000} * 65024 + 32768, 100000, 32767, 65025},
                      DivideCase{-(int64_t{3} << 40) - 1, 1 << 20, 0, -(3 << 20) - 1}));

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

// 163837500 * 6 < 2^30 - 163837500 < 2^30 < 163837500 * 7, so for remainder 1 pairs up to 5
// raise, 6 is undecided (the rest 2^30 - 6 * 163837500 = 90716824 goes on, whose pairs raise
// up to 594530848) and 7 on do not. 40959375 * 2^30 is 2^28 * 163837500 exactly. The last rows
// take level 254's width.
INSTANTIATE_TEST_SUITE_P(
    Rows, PairComparison,
    ::testing::Values(PairCase{0, 163837500, {0}, false, 0}, PairCase{1, 163837500, {5}, true, 0},
                      PairCase{1, 163837500, {7}, false, 0}, PairCase{163837499, 163837500, {(1u << 30) - 8}, true, 0},
                      PairCase{163837499, 163837500, {(1u << 30) - 7, 0}, true, 1},
                      PairCase{163837499, 163837500, {(1u << 30) - 6}, false, 0},
                      PairCase{1, 163837500, {6, 594530848}, true, 1}, PairCase{1, 163837500, {6, 594530850}, false, 1},
                      PairCase{1, 163837500, {6, 594530849, 0}, true, 2},
                      PairCase{1, 163837500, {6, 594530849, (1u << 30) - 1}, false, 2},
                      PairCase{40959375, 163837500, {(1u << 28) - 1}, true, 0},
                      PairCase{40959375, 163837500, {1u << 28}, false, 0}, PairCase{20000, 40268, {533297815}, true, 0},
                      PairCase{20000, 40268, {533297816, 0}, true, 1},
                      PairCase{20000, 40268, {533297816, (1u << 30) - 1}, false, 1}));

// Precise rounding takes a pair for a divisor above 32768 only.
TEST(PreciseDivision, DrawsAPairAboveOneDrawsRange)
{
    for (const auto& [divisor, draws] : {std::pair{32768, 1}, std::pair{32769, 2}, std::pair{INT32_MAX, 2}}) {
        EXPECT_EQ(CountDraws([divisor = divisor](RandomSource& source) { StochasticDivide(5, divisor, source, Rounding::Precise); }),
                  draws) << "divisor " << divisor;
    }
}

// A single neuron, first layer and output at once, taught again and again from the same weights:
// the summed weight steps match the summed delta * input * rate / StepDivisor, within five
// standard deviations.
TEST(PreciseLearn, WeightStepsAreUnbiased)
{
    constexpr int Trials = 20000;
    constexpr int32_t Rate = 10922;
    TestNetwork network(1, 3, 1, 0);
    network.buffer.SetInput(0, 200);
    network.buffer.SetInput(1, 90);
    network.buffer.SetInput(2, 30);
    RandomSource random(5);
    double expected[4] = {};
    int64_t moved[4] = {};
    for (int trial = 0; trial < Trials; ++trial) {
        network.SetWeights(0, {128, 128, 128, 128});
        network.net.Forward();
        network.net.SetTarget(0, 60);
        const Neuron before = network.net.GetNeuron(0);
        network.net.Learn(Rate, random, Rounding::Precise);
        for (int32_t m = 0; m < 4; ++m) {
            const int32_t input = m == 0 ? 128 : before.inputs[m - 1];
            expected[m] += static_cast<double>(network.net.GetNeuron(0).error) * input * Rate / 163837500.0;
            moved[m] += 128 - network.net.GetWeight(0, m);
        }
    }
    for (int32_t m = 0; m < 4; ++m) {
        EXPECT_GT(expected[m], 0.05 * Trials) << "weight " << m << " saw too small a product";
        EXPECT_NEAR(static_cast<double>(moved[m]), expected[m], 5 * std::sqrt(0.25 * Trials)) << "weight " << m;
    }
}

} // namespace
