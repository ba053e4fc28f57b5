#include <array>
#include <tuple>
#include <vector>

#include "engine/level_lookup.h"
#include "tests/engine/engine_test_support.h"
#include "tests/engine/reference_net.h"

namespace {

// The wiring's worked example, L = 2, W = 3, O = 4: first-layer neurons read pattern inputs,
// later ones the band before, output neurons beyond the first W the output band before.
TEST(Wiring, SetsFlagsAndSourcesByTheBandRule)
{
    TestNetwork network(2, 3, 4);
    const std::array<std::array<int32_t, 3>, 10> sources = {
        {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {3, 4, 5}, {4, 5, 3}, {5, 3, 4}, {6, 7, 8}}};
    for (int32_t j = 0; j < 10; ++j) {
        const Neuron neuron = network.net.GetNeuron(j);
        EXPECT_EQ(neuron.firstLayer, j < 3 ? 1 : 0) << "neuron " << j;
        EXPECT_EQ(std::vector(neuron.sources, neuron.sources + 3), std::vector(sources[j].begin(), sources[j].end()));
    }
}

// The forward pass's worked examples: the two-neuron chain of width one, and inversion by parity
// (even neurons invert inputs 1 and 3, odd ones input 2) in a two-neuron first layer whose
// neurons are both outputs (neuron 1 is output 0).
TEST(ForwardExamples, ChainOfWidthOneAndInversionByParity)
{
    TestNetwork chain(1, 1, 1);
    chain.SetWeights(0, {100, 50, 60, 70});
    chain.SetWeights(1, {80, 90, 100, 110});
    chain.buffer.SetInput(0, 200);
    chain.net.Forward();
    const Neuron first = chain.net.GetNeuron(0);
    const Neuron second = chain.net.GetNeuron(1);
    EXPECT_EQ(std::vector(first.inputs, first.inputs + 3), (std::vector<uint8_t>{55, 200, 55}));
    EXPECT_EQ(std::tuple(first.sum, first.level), std::tuple(31400u, 23));
    EXPECT_EQ(std::vector(second.inputs, second.inputs + 3), (std::vector<uint8_t>{23, 232, 23}));
    EXPECT_EQ(std::tuple(second.sum, second.level, chain.buffer.GetOutput(0)), std::tuple(38040u, 41, 42));

    TestNetwork pair(2, 2, 2, 0);
    pair.SetWeights(0, {255, 255, 255, 255});
    pair.SetWeights(1, {255, 255, 255, 255});
    pair.buffer.SetInput(0, 255);
    pair.buffer.SetInput(1, 255);
    pair.net.Forward();
    const Neuron even = pair.net.GetNeuron(0);
    const Neuron odd = pair.net.GetNeuron(1);
    EXPECT_EQ(std::vector(even.inputs, even.inputs + 3), (std::vector<uint8_t>{0, 255, 0}));
    EXPECT_EQ(std::tuple(even.sum, even.level, pair.buffer.GetOutput(1)), std::tuple(97665u, 223, 224));
    EXPECT_EQ(std::vector(odd.inputs, odd.inputs + 3), (std::vector<uint8_t>{255, 0, 255}));
    EXPECT_EQ(std::tuple(odd.sum, odd.level, pair.buffer.GetOutput(0)), std::tuple(162690u, 254, 255));
}

class FirstThreshold : public ::testing::TestWithParam<EnginePath> {};

// A sum of exactly t[0] = 10512 (48 * 219) gives level 0 and output level 1, on every path: eight
// first-layer output neurons, so that the vector paths take them as one band.
TEST_P(FirstThreshold, SumAtTheFirstThresholdGivesOutputOne)
{
    TestNetwork network(8, 8, 8, 0);
    SKIP_UNLESS_PATH(network, GetParam());
    for (int32_t j = 0; j < 8; ++j) {
        network.SetWeights(j, {0, 48, 0, 0});
        network.buffer.SetInput(j, j % 2 == 0 ? 36 : 219);
    }
    network.net.Forward();
    for (int32_t t = 0; t < 8; ++t) {
        EXPECT_EQ(std::tuple(network.net.GetNeuron(t).sum, network.net.GetNeuron(t).level, network.buffer.GetOutput(t)),
                  std::tuple(10512u, 0, 1)) << "output " << t;
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, FirstThreshold, AllPaths, [](const auto& param) { return std::string(EnginePathName(param.param)); });

TEST(WeightAccess, SetWeightKeepsTheLowByteOfItsSlotOnly)
{
    TestNetwork network(1, 2, 1);
    network.SetWeights(1, {11, 22, 33, 44});
    network.net.SetWeight(1, 2, 0x12345678);
    network.net.SetWeight(1, 3, -1);
    EXPECT_EQ(WeightsOf(network.net), (std::vector<uint8_t>{0, 0, 0, 0, 11, 22, 0x78, 255, 0, 0, 0, 0}));
}

TEST(LevelLookup, MatchesEightProbesForEverySum)
{
    EXPECT_EQ(std::tuple(BisectSum(10511).hi, BisectSum(10512).hi, BisectSum(13084).lo), std::tuple(0u, 1u, 1u));
    EXPECT_EQ(std::tuple(BisectSum(144508).lo, BisectSum(144508).hi), std::tuple(254u, 255u));
    for (uint32_t sum = 0; sum <= MaxNeuronSum; ++sum) {
        const LevelBracket bracket = BracketOfSum(sum);
        ASSERT_EQ(std::tuple(bracket.lo, bracket.hi), std::tuple(BisectSum(sum).lo, BisectSum(sum).hi)) << sum;
    }
}

// Learn's worked example: the two-neuron chain taught with draws of 0, so that every inexact
// quotient rises away from zero: 11 draws, error 1, deltas 2 and 8, every weight one lower.
TEST(LearnExamples, TwoNeuronChainWithDrawsOfZero)
{
    TestNetwork network(1, 1, 1);
    network.SetWeights(0, {100, 50, 60, 70});
    network.SetWeights(1, {80, 90, 100, 110});
    network.buffer.SetInput(0, 200);
    network.net.Forward();
    network.net.SetTarget(0, 40);
    int32_t error = -1;
    EXPECT_EQ(CountDraws([&](RandomSource& draws) { error = network.net.Learn(10922, draws); }), 11);
    EXPECT_EQ(std::tuple(error, network.net.GetNeuron(0).error, network.net.GetNeuron(1).error), std::tuple(1, 2, 8));
    EXPECT_EQ(WeightsOf(network.net), (std::vector<uint8_t>{99, 49, 59, 69, 79, 89, 99, 109}));
}

class MeanError : public ::testing::TestWithParam<std::pair<int32_t, int32_t>> {};

// Two first-layer output neurons with errors 10 and -3: S = 109, whose mean 54.5 rounds up
// when the final draw is even.
TEST_P(MeanError, IsTheStochasticMeanOverOutputs)
{
    TestNetwork network(2, 2, 2, 0);
    network.SetWeights(0, {100, 50, 60, 70});
    network.SetWeights(1, {80, 90, 100, 110});
    network.buffer.SetInput(0, 30);
    network.buffer.SetInput(1, 170);
    network.net.Forward();
    network.net.SetTarget(0, static_cast<uint8_t>(network.net.GetNeuron(1).level - 10));
    network.net.SetTarget(1, static_cast<uint8_t>(network.net.GetNeuron(0).level + 3));
    int32_t error = -1;
    CountDraws([&](RandomSource& draws) { error = network.net.Learn(10922, draws); }, GetParam().first);
    EXPECT_EQ(error, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Draws, MeanError, ::testing::Values(std::pair{0, 55}, std::pair{1, 54}, std::pair{32766, 55}));

// Randomize gives weight m of neuron j draw 4j + m modulo 256, and takes 4 draws a neuron.
TEST(Randomize, GivesEveryWeightItsDrawModulo256)
{
    TestNetwork network(2, 3, 2);
    ScriptedDraws draws([next = 0]() mutable { return 250 + next++; });
    network.net.Randomize(draws.Source());
    EXPECT_EQ(draws.Taken(), 4 * 8);
    for (int32_t k = 0; k < 4 * 8; ++k)
        EXPECT_EQ(network.net.GetWeight(k / 4, k % 4), (250 + k) % 256) << "neuron " << k / 4 << " weight " << k % 4;
}

} // namespace
