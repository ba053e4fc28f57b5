#include <array>
#include <vector>

#include "tests/engine/engine_test_support.h"

namespace {

struct WiredNeuron {
    int32_t neuron;
    int32_t firstLayer;
    std::array<int32_t, 3> sources;
};

struct WiringCase {
    const char* name;
    int32_t layers;
    int32_t inputs;
    int32_t outputs;
    std::vector<WiredNeuron> expected;
};

class WiringTest : public EngineTest, public ::testing::WithParamInterface<WiringCase> {};

TEST_P(WiringTest, SetsFlagsAndSources)
{
    const WiringCase& shape = GetParam();
    TestNetwork network(shape.layers, shape.inputs, shape.outputs);
    for (const WiredNeuron& row : shape.expected) {
        const Neuron& neuron = network.net.GetNeuron(row.neuron);
        EXPECT_EQ(neuron.firstLayer, row.firstLayer) << "neuron " << row.neuron;
        EXPECT_EQ(neuron.sources[0], row.sources[0]) << "neuron " << row.neuron;
        EXPECT_EQ(neuron.sources[1], row.sources[1]) << "neuron " << row.neuron;
        EXPECT_EQ(neuron.sources[2], row.sources[2]) << "neuron " << row.neuron;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, WiringTest,
    ::testing::Values(
        WiringCase{"TwoLayersOfThreeFourOutputs", 2, 3, 4,
                   {{0, 1, {0, 1, 2}}, {1, 1, {1, 2, 0}}, {2, 1, {2, 0, 1}}, {3, 0, {0, 1, 2}}, {4, 0, {1, 2, 0}},
                    {5, 0, {2, 0, 1}}, {6, 0, {3, 4, 5}}, {7, 0, {4, 5, 3}}, {8, 0, {5, 3, 4}}, {9, 0, {6, 7, 8}}}},
        WiringCase{"DefaultShape", 5, 4, 2,
                   {{0, 1, {0, 1, 2}}, {3, 1, {3, 0, 1}}, {4, 0, {0, 1, 2}}, {7, 0, {3, 0, 1}},
                    {8, 0, {4, 5, 6}}, {19, 0, {15, 12, 13}}, {20, 0, {16, 17, 18}}, {21, 0, {17, 18, 19}}}},
        WiringCase{"WidthOne", 1, 1, 1, {{0, 1, {0, 0, 0}}, {1, 0, {0, 0, 0}}}},
        WiringCase{"WidthOneDeep", 3, 1, 2,
                   {{0, 1, {0, 0, 0}}, {1, 0, {0, 0, 0}}, {2, 0, {1, 1, 1}}, {3, 0, {2, 2, 2}}, {4, 0, {3, 3, 3}}}},
        WiringCase{"WidthTwo", 2, 2, 2,
                   {{0, 1, {0, 1, 0}}, {1, 1, {1, 0, 1}}, {2, 0, {0, 1, 0}}, {3, 0, {1, 0, 1}}, {4, 0, {2, 3, 2}},
                    {5, 0, {3, 2, 3}}}},
        WiringCase{"MoreOutputsThanInputs", 1, 2, 3,
                   {{0, 1, {0, 1, 0}}, {1, 1, {1, 0, 1}}, {2, 0, {0, 1, 0}}, {3, 0, {1, 0, 1}}, {4, 0, {2, 3, 2}}}}),
    [](const ::testing::TestParamInfo<WiringCase>& param) { return std::string(param.param.name); });

// Every later neuron reads the complete band just before its own, so every source has been
// computed when the forward pass reaches it.
using WiringBands = EngineTest;

TEST_F(WiringBands, LaterNeuronsReadTheBandBefore)
{
    const std::array<std::array<int32_t, 3>, 6> shapes = {{{5, 4, 2}, {3, 16, 8}, {2, 7, 20}, {1, 5, 14}, {4, 3, 2}, {6, 1, 2}}};
    for (const auto& [layers, inputs, outputs] : shapes) {
        TestNetwork network(layers, inputs, outputs);
        for (int32_t j = inputs; j < network.net.GetNeuronCount(); ++j) {
            const Neuron& neuron = network.net.GetNeuron(j);
            const int32_t bandStart = (j / inputs - 1) * inputs;
            for (int32_t source : neuron.sources) {
                EXPECT_GE(source, bandStart) << layers << "," << inputs << "," << outputs << " neuron " << j;
                EXPECT_LT(source, bandStart + inputs) << layers << "," << inputs << "," << outputs << " neuron " << j;
            }
            EXPECT_EQ(neuron.firstLayer, 0);
        }
        for (int32_t j = 0; j < inputs; ++j) {
            EXPECT_EQ(network.net.GetNeuron(j).firstLayer, 1);
        }
    }
}

} // namespace
