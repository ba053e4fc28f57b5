#include <vector>

#include "tests/engine/engine_test_support.h"

namespace {

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

} // namespace
