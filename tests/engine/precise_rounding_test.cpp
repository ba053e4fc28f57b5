#include <cmath>
#include <vector>

#include "engine/stochastic_divide.h"
#include "engine/uniform_draw.h"
#include "tests/engine/engine_test_support.h"

namespace {

struct PairCase {
    uint32_t divisor;
    std::vector<int32_t> draws;
    uint32_t expected;
    int64_t taken;
};

class UniformPairs : public ::testing::TestWithParam<PairCase> {};

// The high draw comes first; the largest multiple of the divisor within 30 bits is the first
// value rejected, and a rejected pair is replaced by the next one.
TEST_P(UniformPairs, BuildTheValueFromPairsAndRejectTheTop)
{
    const PairCase& row = GetParam();
    ScriptedDraws draws([&row, next = size_t{0}]() mutable { return next < row.draws.size() ? row.draws[next++] : 0; });
    EXPECT_EQ(UniformBelow(row.divisor, draws.Source()), row.expected);
    EXPECT_EQ(draws.Taken(), row.taken);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UniformPairs,
    ::testing::Values(PairCase{163837500, {0, 0}, 0, 2}, PairCase{163837500, {5, 7}, 5 * 32768 + 7, 2},
                      PairCase{163837500, {1, 0}, 32768, 2},
                      // 29999 * 32768 + 17767 = 6 * 163837500 - 1, the last value kept.
                      PairCase{163837500, {29999, 17767}, 163837499, 2},
                      PairCase{163837500, {29999, 17768, 0, 5}, 5, 4},
                      PairCase{163837500, {32767, 32767, 32767, 32767, 1, 0}, 32768, 6},
                      PairCase{163837500, {10000, 0}, 10000u * 32768u % 163837500u, 2},
                      // Level 254's width: 32766 * 32768 + 29663 = 26664 * 40268 - 1.
                      PairCase{40268, {32766, 29663}, 40267, 2}, PairCase{40268, {32766, 29664, 0, 40268 - 32768}, 40268 - 32768, 4},
                      PairCase{40268, {1, 3}, (32768 + 3) % 40268, 2}));

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

// With draws of 0 no pair is rejected: 17 draws per neuron, one more for each neuron at level
// 254, one for the mean.
TEST(PreciseRounding, DrawCountWithoutRejections)
{
    for (const auto& [layers, inputs, outputs] : std::vector<std::array<int32_t, 3>>{{5, 4, 2}, {2, 300, 120}, {3, 16, 8}}) {
        TestNetwork network(layers, inputs, outputs);
        RandomSource weights(3);
        network.net.Randomize(weights);
        for (int32_t input = 0; input < inputs; ++input) {
            network.buffer.SetInput(input, static_cast<uint8_t>(input * 37));
        }
        network.net.Forward();
        int64_t wideLevels = 0;
        for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j) {
            wideLevels += network.net.GetNeuron(j).level == 254 ? 1 : 0;
        }
        const int64_t count = network.net.GetNeuronCount();
        EXPECT_EQ(CountDraws([&](RandomSource& draws) { network.net.Learn(10922, draws, Rounding::Precise); }),
                  17 * count + wideLevels + 1);
    }
}

} // namespace
