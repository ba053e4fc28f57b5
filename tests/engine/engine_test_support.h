#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "engine/discrete_net.h"
#include "engine/network_shape.h"
#include "engine/random_source.h"

// Every engine test has a seeded random source of its own.
class EngineTest : public ::testing::Test {
protected:
    RandomSource random{20240601};
};

// A random source that yields the values of a script (each 0..RandomSource::Max), in order.
class ScriptedDraws {
public:
    explicit ScriptedDraws(std::function<int32_t()> valueScript)
        : script(std::move(valueScript)), source(&Fill, this)
    {
    }
    ScriptedDraws(const ScriptedDraws&) = delete;
    ScriptedDraws& operator=(const ScriptedDraws&) = delete;

    RandomSource& Source() { return source; }
    // Draws taken from the source so far.
    int64_t Taken() const { return static_cast<int64_t>(source.DrawsTaken()); }

private:
    static void Fill(void* context, uint16_t* draws, size_t count)
    {
        auto& self = *static_cast<ScriptedDraws*>(context);
        for (size_t k = 0; k < count; ++k) {
            draws[k] = static_cast<uint16_t>(self.script());
        }
    }

    std::function<int32_t()> script;
    RandomSource source;
};

// A random source whose every draw is value.
class ConstantDraws : public ScriptedDraws {
public:
    explicit ConstantDraws(int32_t value) : ScriptedDraws([value] { return value; }) {}
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

// Runs action on a source whose every draw is value and returns how many draws it took.
inline int64_t CountDraws(const std::function<void(RandomSource&)>& action, int32_t value = 0)
{
    ConstantDraws draws(value);
    action(draws.Source());
    return draws.Taken();
}
