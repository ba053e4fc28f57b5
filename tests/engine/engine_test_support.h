#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/discrete_net.h"
#include "engine/network_shape.h"
#include "engine/random_source.h"

// A random source that yields the values of a script (each 0..RandomSource::Max), in order, and
// then zeros.
class ScriptedDraws {
public:
    explicit ScriptedDraws(std::vector<uint16_t> values) : script(std::move(values)), source(&Fill, this) {}
    ScriptedDraws(const ScriptedDraws&) = delete;
    ScriptedDraws& operator=(const ScriptedDraws&) = delete;

    RandomSource& Source() { return source; }
    int64_t Taken() const { return static_cast<int64_t>(source.DrawsTaken()); }

private:
    static void Fill(void* context, uint16_t* draws, size_t count)
    {
        auto& self = *static_cast<ScriptedDraws*>(context);
        for (size_t k = 0; k < count; ++k, ++self.next)
            draws[k] = self.next < self.script.size() ? self.script[self.next] : 0;
    }

    std::vector<uint16_t> script;
    size_t next = 0;
    RandomSource source;
};

// A wired network of L, W, O with its own PatternBuffer, or (with a fourth argument) of
// neuronCount neurons on a buffer of W inputs and O outputs, for hand-built cases.
struct TestNetwork {
    TestNetwork(int32_t layers, int32_t inputs, int32_t outputs)
        : TestNetwork(static_cast<int32_t>(NeuronCountOf(layers, inputs, outputs)), inputs, outputs, 0)
    {
    }
    TestNetwork(int32_t neuronCount, int32_t inputs, int32_t outputs, int) : buffer(inputs, outputs), net(neuronCount, buffer)
    {
        net.Wire();
    }

    void SetWeights(int32_t neuron, std::initializer_list<int32_t> weights)
    {
        int32_t index = 0;
        for (int32_t weight : weights)
            net.SetWeight(neuron, index++, weight);
    }

    PatternBuffer buffer;
    DiscreteNet net;
};

// Every weight of the network, neuron by neuron, four each in index order.
inline std::vector<uint8_t> WeightsOf(const DiscreteNet& net)
{
    std::vector<uint8_t> weights;
    for (int32_t k = 0; k < 4 * net.GetNeuronCount(); ++k)
        weights.push_back(net.GetWeight(k / 4, k % 4));
    return weights;
}

inline const auto AllPaths = ::testing::Values(EnginePath::Scalar, EnginePath::Avx2, EnginePath::Avx512);
inline const auto BothRoundings = ::testing::Values(Rounding::Classic, Rounding::Precise);

// A case's name: its row's, then its rounding's and its engine path's.
struct RowRoundingAndPath {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const
    {
        const auto& [row, rounding, path] = info.param;
        return row.name + std::string(rounding == Rounding::Classic ? "_Classic_" : "_Precise_") + EnginePathName(path);
    }
};

#define SKIP_UNLESS_PATH(network, path)                                                      \
    if (!(network).net.SetPath(path)) {                                                      \
        GTEST_SKIP() << "this processor cannot run the " << EnginePathName(path) << " path"; \
    }
