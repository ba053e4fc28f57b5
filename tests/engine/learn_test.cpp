#include <array>
#include <vector>

#include "tests/engine/engine_test_support.h"

namespace {

using LearnExamples = EngineTest;

// The two-neuron chain of width one, taught with a source that always yields 0, so that every
// inexact quotient rises away from zero.
TEST_F(LearnExamples, TwoNeuronChainWithDrawsOfZero)
{
    TestNetwork network(1, 1, 1);
    network.SetWeights(0, {100, 50, 60, 70});
    network.SetWeights(1, {80, 90, 100, 110});
    network.buffer.SetInput(0, 200);
    network.net.Forward();
    ASSERT_EQ(network.net.GetNeuron(0).level, 23);
    ASSERT_EQ(network.net.GetNeuron(1).level, 41);
    network.net.SetTarget(0, 40);

    int32_t error = -1;
    EXPECT_EQ(CountDraws([&](RandomSource& draws) { error = network.net.Learn(10922, draws); }), 11);
    EXPECT_EQ(error, 1);
    const std::vector<std::array<int, 4>> weights = {{99, 49, 59, 69}, {79, 89, 99, 109}};
    for (int32_t j = 0; j < 2; ++j) {
        for (int32_t m = 0; m < 4; ++m) {
            EXPECT_EQ(network.net.GetWeight(j, m), weights[static_cast<size_t>(j)][static_cast<size_t>(m)]) << j << "," << m;
        }
    }
    EXPECT_EQ(network.net.GetNeuron(0).error, 2);
    EXPECT_EQ(network.net.GetNeuron(1).error, 8);
}

// Two first-layer output neurons with errors 10 and -3: S = 109, whose mean 54.5 rounds up
// when the final draw is even.
TEST_F(LearnExamples, ErrorIsTheStochasticMeanOverOutputs)
{
    TestNetwork network(2, 2, 2, 0);
    network.SetWeights(0, {100, 50, 60, 70});
    network.SetWeights(1, {80, 90, 100, 110});
    network.buffer.SetInput(0, 30);
    network.buffer.SetInput(1, 170);
    for (const auto& [draw, expected] : std::vector<std::pair<int32_t, int32_t>>{{0, 55}, {1, 54}, {32766, 55}}) {
        network.SetWeights(0, {100, 50, 60, 70});
        network.SetWeights(1, {80, 90, 100, 110});
        network.net.Forward();
        network.net.SetTarget(0, static_cast<uint8_t>(network.net.GetNeuron(1).level - 10));
        network.net.SetTarget(1, static_cast<uint8_t>(network.net.GetNeuron(0).level + 3));
        int32_t error = -1;
        CountDraws([&](RandomSource& draws) { error = network.net.Learn(10922, draws); }, draw);
        EXPECT_EQ(error, expected) << "draw " << draw;
    }
}

struct ClampCase {
    const char* name;
    std::array<int32_t, 4> weights;
    std::array<uint8_t, 3> inputs;
    uint8_t target;
    int32_t rate;
    std::array<int32_t, 4> lowest;
    std::array<int32_t, 4> highest;
};

// A single neuron that is first-layer and output at once; weights stop at 0 and 255 however
// large the step.
TEST_F(LearnExamples, WeightsClampAtTheByteRange)
{
    const std::vector<ClampCase> cases = {
        // Level 254 above target 0: every step is positive, the bias of 0 stays 0.
        {"HighLevelZeroBias", {0, 255, 255, 255}, {0, 255, 0}, 0, 65025, {0, 0, 0, 0}, {0, 254, 254, 254}},
        // Level 26 below target 255: every step with a non-zero input is negative.
        {"LowLevelFullBias", {255, 0, 0, 0}, {0, 255, 0}, 255, 65025, {255, 1, 1, 1}, {255, 255, 255, 255}},
        // Steps far beyond 255 with the widest rate clamp straight to the ends.
        {"HugeRateDown", {200, 255, 255, 255}, {0, 255, 0}, 0, INT32_MAX, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"HugeRateUp", {120, 0, 0, 0}, {0, 255, 0}, 255, INT32_MAX, {255, 255, 255, 255}, {255, 255, 255, 255}},
    };
    for (const ClampCase& row : cases) {
        TestNetwork network(1, 3, 1, 0);
        for (int32_t m = 0; m < 4; ++m) {
            network.net.SetWeight(0, m, row.weights[static_cast<size_t>(m)]);
        }
        for (int32_t input = 0; input < 3; ++input) {
            network.buffer.SetInput(input, row.inputs[static_cast<size_t>(input)]);
        }
        network.net.Forward();
        network.net.SetTarget(0, row.target);
        CountDraws([&](RandomSource& draws) { network.net.Learn(row.rate, draws); });
        for (int32_t m = 0; m < 4; ++m) {
            EXPECT_GE(network.net.GetWeight(0, m), row.lowest[static_cast<size_t>(m)]) << row.name << " weight " << m;
            EXPECT_LE(network.net.GetWeight(0, m), row.highest[static_cast<size_t>(m)]) << row.name << " weight " << m;
        }
    }
}

struct Snapshot {
    std::vector<uint8_t> weights;
    std::vector<int32_t> errors;
    std::vector<uint8_t> outputs;
};

Snapshot TakeSnapshot(const TestNetwork& network)
{
    Snapshot snapshot;
    for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j) {
        for (int32_t m = 0; m < 4; ++m) {
            snapshot.weights.push_back(network.net.GetWeight(j, m));
        }
        snapshot.errors.push_back(network.net.GetNeuron(j).error);
    }
    return snapshot;
}

// A randomized network of the given shape after a Forward of a seeded pattern.
void PresentPattern(TestNetwork& network, uint64_t seed)
{
    RandomSource random(seed);
    network.net.Randomize(random);
    for (int32_t input = 0; input < network.buffer.GetInputCount(); ++input) {
        network.buffer.SetInput(input, static_cast<uint8_t>(random.Draw() % 256));
    }
    network.net.Forward();
}

using LearnInvariants = EngineTest;

TEST_F(LearnInvariants, MetTargetsChangeNothingAndReturnZero)
{
    for (const auto& [layers, inputs, outputs] : std::vector<std::array<int32_t, 3>>{{5, 4, 2}, {3, 16, 8}, {1, 2, 5}}) {
        TestNetwork network(layers, inputs, outputs);
        PresentPattern(network, 5);
        const int32_t count = network.net.GetNeuronCount();
        for (int32_t t = 0; t < outputs; ++t) {
            network.net.SetTarget(t, network.net.GetNeuron(count - 1 - t).level);
        }
        const Snapshot before = TakeSnapshot(network);
        EXPECT_EQ(network.net.Learn(10922, random), 0);
        const Snapshot after = TakeSnapshot(network);
        EXPECT_EQ(after.weights, before.weights);
        EXPECT_EQ(after.errors, std::vector<int32_t>(static_cast<size_t>(count), 0));
    }
}

// A rate of 0 moves no weight, yet the deltas and the error are those of any other rate, since
// the rate enters only the steps and every step still makes its draw.
TEST_F(LearnInvariants, RateZeroKeepsWeightsButNotDeltas)
{
    TestNetwork still(4, 6, 5);
    TestNetwork moving(4, 6, 5);
    PresentPattern(still, 9);
    PresentPattern(moving, 9);
    for (int32_t t = 0; t < 5; ++t) {
        still.net.SetTarget(t, static_cast<uint8_t>(50 * t));
        moving.net.SetTarget(t, static_cast<uint8_t>(50 * t));
    }
    const Snapshot before = TakeSnapshot(still);

    RandomSource stillDraws(31);
    const int32_t stillError = still.net.Learn(0, stillDraws);
    RandomSource movingDraws(31);
    const int32_t movingError = moving.net.Learn(30000, movingDraws);

    EXPECT_GT(stillError, 0);
    EXPECT_EQ(stillError, movingError);
    EXPECT_EQ(TakeSnapshot(still).weights, before.weights);
    EXPECT_NE(TakeSnapshot(moving).weights, before.weights);
    EXPECT_EQ(TakeSnapshot(still).errors, TakeSnapshot(moving).errors);
    EXPECT_NE(TakeSnapshot(still).errors, before.errors);
}

TEST_F(LearnInvariants, DrawCountsPerOperation)
{
    for (const auto& [layers, inputs, outputs] : std::vector<std::array<int32_t, 3>>{{5, 4, 2}, {1, 1, 1}, {2, 3, 4}, {3, 16, 8}}) {
        TestNetwork network(layers, inputs, outputs);
        const int64_t count = network.net.GetNeuronCount();
        EXPECT_EQ(CountDraws([&](RandomSource& draws) { network.net.Randomize(draws); }, 12345), 4 * count);
        
        for (int32_t t = 0; t < outputs; ++t) {
            network.net.SetTarget(t, 128);
        }
        EXPECT_EQ(CountDraws([&](RandomSource& draws) { network.net.Learn(10922, draws); }, 7), 5 * count + 1);
    }
}

} // namespace
