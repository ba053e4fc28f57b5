#include <algorithm>
#include <vector>

#include "engine/activation_table.h"
#include "tests/engine/engine_test_support.h"

namespace {

// One neuron that reads three pattern inputs and is itself output 0.
struct SingleNeuron : TestNetwork {
    SingleNeuron() : TestNetwork(1, 3, 1, 0) {}

    // Chooses weights and inputs that give exactly sum (even neurons invert inputs 1 and 3);
    // false when no choice of this form reaches it.
    bool AimAtSum(uint32_t sum)
    {
        for (const int32_t lastWeight : {1, 255}) {
            for (int32_t bias = std::min<int32_t>(static_cast<int32_t>(sum / 128), 255); bias >= 0; --bias) {
                const int32_t rest = static_cast<int32_t>(sum) - 128 * bias;
                int32_t multiples = rest / 255;
                int32_t third = rest % 255;
                if (lastWeight == 255) {
                    if (third != 0 || multiples > 765) {
                        continue;
                    }
                    third = std::min(multiples, 255);
                    multiples -= third;
                }
                if (multiples > 510) {
                    continue;
                }
                const int32_t first = std::min(multiples, 255);
                SetWeights(0, {bias, 255, 255, lastWeight});
                buffer.SetInput(0, static_cast<uint8_t>(255 - first));
                buffer.SetInput(1, static_cast<uint8_t>(multiples - first));
                buffer.SetInput(2, static_cast<uint8_t>(255 - third));
                return true;
            }
        }
        return false;
    }
};

struct SumCase {
    uint32_t sum;
    int32_t level;
    int32_t output;
};

// Level and output slot by their definition: n thresholds at or below the sum, capped at 255.
SumCase CountedCase(uint32_t sum)
{
    const auto reached = static_cast<int32_t>(
        std::upper_bound(ActivationTable.begin(), ActivationTable.end(), sum) - ActivationTable.begin());
    const int32_t n = std::min(reached, 255);
    return {sum, std::max(n - 1, 0), n};
}

using ForwardSums = EngineTest;

TEST_F(ForwardSums, ThresholdEdgesGiveLevelAndOutputSlot)
{
    std::vector<SumCase> cases = {
        {0, 0, 0},         {10511, 0, 0},     {10512, 0, 1},     {13083, 0, 1},     {13084, 1, 2},
        {15566, 1, 2},     {15567, 2, 3},     {97665, 223, 224}, {144507, 253, 254}, {144508, 254, 255},
        {177887, 254, 255}, {177888, 254, 255}, {227715, 254, 255},
    };
    for (uint32_t threshold : ActivationTable) {
        cases.push_back(CountedCase(threshold - 1));
        cases.push_back(CountedCase(threshold));
    }
    SingleNeuron network;
    for (const SumCase& row : cases) {
        ASSERT_TRUE(network.AimAtSum(row.sum)) << row.sum;
        network.net.Forward();
        const Neuron& neuron = network.net.GetNeuron(0);
        ASSERT_EQ(neuron.sum, row.sum);
        EXPECT_EQ(neuron.level, row.level) << "sum " << row.sum;
        EXPECT_EQ(network.buffer.GetOutput(0), row.output) << "sum " << row.sum;
    }
}

using ForwardExamples = EngineTest;

TEST_F(ForwardExamples, TwoNeuronChainOfWidthOne)
{
    TestNetwork network(1, 1, 1);
    network.SetWeights(0, {100, 50, 60, 70});
    network.SetWeights(1, {80, 90, 100, 110});
    network.buffer.SetInput(0, 200);
    network.net.Forward();

    const Neuron& first = network.net.GetNeuron(0);
    EXPECT_EQ(std::vector<int>(first.inputs, first.inputs + 3), (std::vector<int>{55, 200, 55}));
    EXPECT_EQ(first.sum, 31400u);
    EXPECT_EQ(first.level, 23);
    const Neuron& second = network.net.GetNeuron(1);
    EXPECT_EQ(std::vector<int>(second.inputs, second.inputs + 3), (std::vector<int>{23, 232, 23}));
    EXPECT_EQ(second.sum, 38040u);
    EXPECT_EQ(second.level, 41);
    EXPECT_EQ(network.buffer.GetOutput(0), 42);
}

// Even neurons invert inputs 1 and 3, odd ones input 2; both here are outputs of a two-neuron
// first layer (neuron 1 is output 0, neuron 0 is output 1).
TEST_F(ForwardExamples, InversionFollowsTheNeuronParity)
{
    TestNetwork network(2, 2, 2, 0);
    network.SetWeights(0, {255, 255, 255, 255});
    network.SetWeights(1, {255, 255, 255, 255});
    network.buffer.SetInput(0, 255);
    network.buffer.SetInput(1, 255);
    network.net.Forward();

    const Neuron& even = network.net.GetNeuron(0);
    EXPECT_EQ(std::vector<int>(even.inputs, even.inputs + 3), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(even.sum, 97665u);
    EXPECT_EQ(even.level, 223);
    EXPECT_EQ(network.buffer.GetOutput(1), 224);
    const Neuron& odd = network.net.GetNeuron(1);
    EXPECT_EQ(std::vector<int>(odd.inputs, odd.inputs + 3), (std::vector<int>{255, 0, 255}));
    EXPECT_EQ(odd.sum, 162690u);
    EXPECT_EQ(odd.level, 254);
    EXPECT_EQ(network.buffer.GetOutput(0), 255);
}

TEST_F(ForwardExamples, ZeroWeightsGiveZeroEverywhereAndClearTheAccumulators)
{
    TestNetwork network(5, 4, 2);
    network.net.Randomize();
    for (int32_t input = 0; input < 4; ++input) {
        network.buffer.SetInput(input, static_cast<uint8_t>(60 * input + 7));
    }
    network.net.Forward();
    network.net.SetTarget(0, 200);
    network.net.SetTarget(1, 3);
    network.net.Learn(10922);
    for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j) {
        for (int32_t m = 0; m < 4; ++m) {
            network.net.SetWeight(j, m, 0);
        }
    }
    network.net.Forward();
    for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j) {
        const Neuron& neuron = network.net.GetNeuron(j);
        EXPECT_EQ(neuron.sum, 0u);
        EXPECT_EQ(neuron.level, 0);
        EXPECT_EQ(neuron.error, 0);
    }
    EXPECT_EQ(network.buffer.GetOutput(0), 0);
    EXPECT_EQ(network.buffer.GetOutput(1), 0);
}

using WeightAccess = EngineTest;

TEST_F(WeightAccess, SetWeightKeepsTheLowByteAndTouchesOnlyItsSlot)
{
    TestNetwork network(1, 2, 1);
    const std::vector<std::pair<int32_t, int>> rows = {{0, 0}, {255, 255}, {256, 0}, {257, 1}, {-1, 255}, {0x12345678, 0x78}};
    for (const auto& [value, expected] : rows) {
        network.SetWeights(1, {11, 22, 33, 44});
        network.net.SetWeight(1, 2, value);
        EXPECT_EQ(network.net.GetWeight(1, 2), expected) << value;
        EXPECT_EQ(network.net.GetWeight(1, 0), 11);
        EXPECT_EQ(network.net.GetWeight(1, 1), 22);
        EXPECT_EQ(network.net.GetWeight(1, 3), 44);
    }
}

// Randomize gives weight m of each neuron, in index order, the next draw modulo 256, and
// touches nothing else.
TEST_F(WeightAccess, RandomizeDrawsFourWeightsPerNeuronInOrder)
{
    TestNetwork network(3, 4, 5);
    for (int32_t input = 0; input < 4; ++input) {
        network.buffer.SetInput(input, static_cast<uint8_t>(40 * input));
    }
    network.net.Forward();
    const Neuron before = network.net.GetNeuron(9);

    SeedRandomDraw(77);
    network.net.Randomize();
    SeedRandomDraw(77);
    for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j) {
        for (int32_t m = 0; m < 4; ++m) {
            EXPECT_EQ(network.net.GetWeight(j, m), RandomDraw() % 256) << j << "," << m;
        }
    }
    const Neuron& after = network.net.GetNeuron(9);
    EXPECT_EQ(after.sum, before.sum);
    EXPECT_EQ(after.level, before.level);
    EXPECT_EQ(std::vector<int>(after.inputs, after.inputs + 3), std::vector<int>(before.inputs, before.inputs + 3));
    EXPECT_EQ(std::vector<int>(after.sources, after.sources + 3), std::vector<int>(before.sources, before.sources + 3));
}

} // namespace
