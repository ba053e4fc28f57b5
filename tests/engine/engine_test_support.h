#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "engine/discrete_net.h"
#include "engine/network_shape.h"
#include "engine/random_draw.h"

// Every engine test starts from a seeded RandomDraw and leaves no script behind.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetRandomDrawScript({});
        SeedRandomDraw(20240601);
    }
    void TearDown() override { SetRandomDrawScript({}); }
};

// A wired network with its own PatternBuffer.
struct TestNetwork {
    TestNetwork(int32_t layers, int32_t inputs, int32_t outputs)
        : buffer(inputs, outputs), net(static_cast<int32_t>(NeuronCountOf(layers, inputs, outputs)), buffer)
    {
        net.Wire();
    }

    // A network of neuronCount neurons on a buffer of the given counts, for hand-built cases
    // such as a single neuron that is both first-layer and output.
    TestNetwork(int32_t neuronCount, int32_t inputs, int32_t outputs, int /*raw*/)
        : buffer(inputs, outputs), net(neuronCount, buffer)
    {
        net.Wire();
    }

    void SetWeights(int32_t neuron, std::initializer_list<int32_t> weights)
    {
        int32_t index = 0;
        for (int32_t weight : weights) {
            net.SetWeight(neuron, index++, weight);
        }
    }

    PatternBuffer buffer;
    DiscreteNet net;
};

// Runs action with a script that always yields value and returns how many draws it made.
inline int64_t CountDraws(const std::function<void()>& action, int32_t value = 0)
{
    int64_t count = 0;
    SetRandomDrawScript([&count, value] {
        ++count;
        return value;
    });
    action();
    SetRandomDrawScript({});
    return count;
}
