#include <cmath>
#include <vector>

#include "engine/stochastic_divide.h"
#include "engine/pair_rounding.h"
#include "tests/engine/engine_test_support.h"

namespace {

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
    const bool raises = PairRaises(row.remainder, row.divisor, row.pairs[0], [&] {
        ++asked;
        return asked < row.pairs.size() ? row.pairs[asked] : 0u;
    });
    EXPECT_EQ(raises, row.raises);
    EXPECT_EQ(asked, row.asked);
    EXPECT_EQ(PairUndecided(row.remainder, row.divisor, row.pairs[0]), row.asked > 0);
}

// 163837500 * 6 < 2^30 - 163837500 < 2^30 < 163837500 * 7, so for remainder 1 pairs up to 5
// raise, 6 is undecided (the rest r' = 2^30 - 6 * 163837500 = 90716824 goes on, whose pairs raise
// up to 594530848) and 7 on do not.
INSTANTIATE_TEST_SUITE_P(
    Rows, PairComparison,
    ::testing::Values(PairCase{0, 163837500, {0}, false, 0}, PairCase{1, 163837500, {0}, true, 0},
                      PairCase{1, 163837500, {5}, true, 0}, PairCase{1, 163837500, {7}, false, 0},
                      PairCase{163837499, 163837500, {(1u << 30) - 8}, true, 0},
                      PairCase{163837499, 163837500, {(1u << 30) - 7, 0}, true, 1},
                      PairCase{163837499, 163837500, {(1u << 30) - 6}, false, 0},
                      PairCase{1, 163837500, {6, 594530848}, true, 1}, PairCase{1, 163837500, {6, 594530850}, false, 1},
                      PairCase{1, 163837500, {6, 594530849, 0}, true, 2},
                      PairCase{1, 163837500, {6, 594530849, (1u << 30) - 1}, false, 2},
                      // Level 254's width.
                      PairCase{20000, 40268, {533297815}, true, 0}, PairCase{20000, 40268, {533297816, 0}, true, 1},
                      PairCase{20000, 40268, {533297816, (1u << 30) - 1}, false, 1},
                      PairCase{20000, 40268, {533297817}, false, 0}));

// Over many seeded draws, precise rounding raises the quotient with chance remainder / divisor,
// while classic rounding raises every remainder of 32768 or more.
TEST(PreciseRounding, StochasticDivideIsUnbiased)
{
    constexpr int Trials = 200000;
    struct Row {
        int32_t dividend;
        int32_t divisor;
    };
    for (const Row& row : {Row{100000000, 163837500}, Row{32767, 163837500}, Row{-150000000, 163837500},
                           Row{163837500 + 50000000, 163837500}, Row{1000000, 40268}, Row{70000, 40268},
                           Row{2000000000, 2000000001}}) {
        RandomSource random(static_cast<uint64_t>(row.dividend) ^ 77u);
        int64_t total = 0;
        for (int trial = 0; trial < Trials; ++trial) {
            total += StochasticDivide(row.dividend, row.divisor, random, Rounding::Precise);
        }
        const double exact = static_cast<double>(row.dividend) / row.divisor;
        const double fraction = std::abs(exact - std::trunc(exact));
        // Five standard deviations of the count of raised quotients.
        const double tolerance = 5 * std::sqrt(Trials * fraction * (1 - fraction)) + 1;
        EXPECT_NEAR(static_cast<double>(total), exact * Trials, tolerance) << row.dividend << " / " << row.divisor;
    }
    ConstantDraws lowest(0);
    EXPECT_EQ(StochasticDivide(100000000, 163837500, lowest.Source(), Rounding::Classic), 1);
}

// A single neuron, first layer and output at once, taught again and again from the same weights:
// the summed weight steps match the summed delta * input * rate / StepDivisor.
TEST(PreciseRounding, LearnStepsAreUnbiased)
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
        const int32_t delta = network.net.GetNeuron(0).error;
        for (int32_t m = 0; m < 4; ++m) {
            const int32_t input = m == 0 ? 128 : before.inputs[m - 1];
            expected[m] += static_cast<double>(delta) * input * Rate / 163837500.0;
            moved[m] += 128 - network.net.GetWeight(0, m);
        }
    }
    for (int32_t m = 0; m < 4; ++m) {
        EXPECT_GT(expected[m], 0.05 * Trials) << "weight " << m << " saw too small a product";
        EXPECT_NEAR(static_cast<double>(moved[m]), expected[m], 5 * std::sqrt(0.25 * Trials)) << "weight " << m;
    }
}

// With draws of 0 every pair decides: 10 draws per neuron, one for the mean.
TEST(PreciseRounding, DrawCountWhenEveryPairDecides)
{
    for (const auto& [layers, inputs, outputs] : std::vector<std::array<int32_t, 3>>{{5, 4, 2}, {2, 300, 120}, {3, 16, 8}}) {
        TestNetwork network(layers, inputs, outputs);
        RandomSource weights(3);
        network.net.Randomize(weights);
        for (int32_t input = 0; input < inputs; ++input) {
            network.buffer.SetInput(input, static_cast<uint8_t>(input * 37));
        }
        network.net.Forward();
        const int64_t count = network.net.GetNeuronCount();
        EXPECT_EQ(CountDraws([&](RandomSource& draws) { network.net.Learn(10922, draws, Rounding::Precise); }),
                  10 * count + 1);
    }
}

} // namespace
