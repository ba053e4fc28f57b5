#include <array>
#include <random>
#include <tuple>
#include <vector>

#include "tests/engine/engine_test_support.h"
#include "tests/engine/reference_net.h"

namespace {

// Random: every weight drawn. Extremes: every weight 0 or 255. SaturatingChain: a width-one
// chain whose levels stay in the steep middle of the table, so that the error grows with every
// neuron back from the output until the accumulators saturate. SaturatingBands: the same in wide
// bands: inputs 1 and 3 weigh 240, input 2 nothing, and the biases hold every level at 128 for
// pattern inputs of 128, so that a neuron's error comes from two of the next band's deltas,
// which grow by about 1.9 a band.
enum class Weights { Random, Extremes, SaturatingChain, SaturatingBands };

struct MatchCase {
    const char* name;
    int32_t layers;
    int32_t inputs;
    int32_t outputs;
    Weights weights;
    std::vector<int32_t> rates;
};

void PrintTo(const MatchCase& match, std::ostream* out)
{
    *out << match.name;
}

class ReferenceMatch : public EngineTest, public ::testing::WithParamInterface<std::tuple<MatchCase, Rounding, EnginePath>> {
protected:
    // Compares everything Forward and Learn leave in the two networks.
    static void ExpectSameState(const TestNetwork& network, const ReferenceNet& reference, const char* stage)
    {
        for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j) {
            const Neuron& neuron = network.net.GetNeuron(j);
            const ReferenceNet::Unit& unit = reference.units[static_cast<size_t>(j)];
            ASSERT_EQ(neuron.sum, unit.sum) << stage << " neuron " << j;
            ASSERT_EQ(neuron.level, unit.level) << stage << " neuron " << j;
            ASSERT_EQ(neuron.error, unit.error) << stage << " neuron " << j;
            for (int32_t m = 0; m < 3; ++m) {
                ASSERT_EQ(neuron.sources[m], unit.sources[m]) << stage << " neuron " << j;
                ASSERT_EQ(neuron.inputs[m], unit.inputs[m]) << stage << " neuron " << j;
            }
            for (int32_t m = 0; m < 4; ++m) {
                ASSERT_EQ(network.net.GetWeight(j, m), unit.weights[m]) << stage << " neuron " << j << " weight " << m;
            }
        }
        for (int32_t t = 0; t < network.buffer.GetOutputCount(); ++t) {
            ASSERT_EQ(network.buffer.GetOutput(t), reference.outputLevels[static_cast<size_t>(t)]) << stage << " output " << t;
        }
    }
};

TEST_P(ReferenceMatch, ForwardAndLearnMatchTheStepByStepAlgorithm)
{
    const auto& [shape, rounding, path] = GetParam();
    TestNetwork network(shape.layers, shape.inputs, shape.outputs);
    if (!network.net.SetPath(path)) {
        GTEST_SKIP() << "this processor cannot run the " << EnginePathName(path) << " path";
    }
    ReferenceNet reference(network.net.GetNeuronCount(), shape.inputs, shape.outputs);
    std::mt19937 patterns(static_cast<uint32_t>(shape.layers * 1000003 + shape.inputs * 1009 + shape.outputs));
    std::uniform_int_distribution<int32_t> level(0, 255);

    RandomSource weightDraws(4242);
    network.net.Randomize(weightDraws);
    RandomSource referenceWeights(4242);
    reference.Randomize(referenceWeights);
    if (shape.weights == Weights::SaturatingChain) {
        for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j) {
            const std::array<uint8_t, 4> weights = j % 2 == 0 ? std::array<uint8_t, 4>{216, 0, 255, 0}
                                                              : std::array<uint8_t, 4>{75, 255, 0, 255};
            for (int32_t m = 0; m < 4; ++m) {
                network.net.SetWeight(j, m, weights[static_cast<size_t>(m)]);
                reference.units[static_cast<size_t>(j)].weights[m] = weights[static_cast<size_t>(m)];
            }
        }
    }
    if (shape.weights == Weights::SaturatingBands) {
        for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j) {
            const std::array<uint8_t, 4> weights = j % 2 == 0 ? std::array<uint8_t, 4>{15, 240, 0, 240}
                                                              : std::array<uint8_t, 4>{11, 240, 0, 240};
            for (int32_t m = 0; m < 4; ++m) {
                network.net.SetWeight(j, m, weights[static_cast<size_t>(m)]);
                reference.units[static_cast<size_t>(j)].weights[m] = weights[static_cast<size_t>(m)];
            }
        }
    }
    if (shape.weights == Weights::Extremes) {
        for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j) {
            for (int32_t m = 0; m < 4; ++m) {
                const uint8_t extreme = (network.net.GetWeight(j, m) & 1) != 0 ? 255 : 0;
                network.net.SetWeight(j, m, extreme);
                reference.units[static_cast<size_t>(j)].weights[m] = extreme;
            }
        }
    }

    uint64_t seed = 1;
    for (int pass = 0; pass < 12; ++pass) {
        for (int32_t input = 0; input < shape.inputs; ++input) {
            const auto value = shape.weights == Weights::SaturatingChain   ? uint8_t{89}
                               : shape.weights == Weights::SaturatingBands ? uint8_t{128}
                                                                           : static_cast<uint8_t>(level(patterns));
            network.buffer.SetInput(input, value);
            reference.inputLevels[static_cast<size_t>(input)] = value;
        }
        network.net.Forward();
        reference.Forward();
        ExpectSameState(network, reference, "forward");
        for (int32_t t = 0; t < shape.outputs; ++t) {
            const auto value = static_cast<uint8_t>(level(patterns));
            network.net.SetTarget(t, value);
            reference.targets[static_cast<size_t>(t)] = value;
        }
        const int32_t rate = shape.rates[static_cast<size_t>(pass) % shape.rates.size()];

        RandomSource draws(++seed);
        RandomSource referenceDraws = draws;
        const int32_t error = network.net.Learn(rate, draws, rounding);
        const int64_t referenceError = reference.Learn(rate, referenceDraws, rounding);
        ASSERT_EQ(error, referenceError) << "pass " << pass;
        ASSERT_EQ(draws.DrawsTaken(), referenceDraws.DrawsTaken()) << "the draw sequences parted in pass " << pass;
        ExpectSameState(network, reference, "learn");
    }
    if (shape.weights == Weights::SaturatingChain || shape.weights == Weights::SaturatingBands) {
        EXPECT_TRUE(reference.reachedLimit) << "the chain never saturated an accumulator";
    }
}

const std::vector<int32_t> usualRates = {10922, 65025, 3000, 0, 1};
// 40959375 * 4 is the step divisor: with it, every product of an input that is a multiple of 4
// and any delta is an exact multiple of the divisor.
const std::vector<int32_t> extremeRates = {INT32_MAX, 65025, 40959375, INT32_MAX - 1, 10922};
// Negative rates reverse every step; INT32_MIN has no positive int32_t counterpart.
const std::vector<int32_t> negativeRates = {-10922, INT32_MIN, -1, 10922, -40959375, -65025};

INSTANTIATE_TEST_SUITE_P(
    Networks, ReferenceMatch,
    ::testing::Combine(::testing::Values(MatchCase{"Default", 5, 4, 2, Weights::Random, usualRates},
                      MatchCase{"WidthOne", 4, 1, 1, Weights::Random, usualRates},
                      MatchCase{"WidthTwo", 3, 2, 5, Weights::Random, usualRates},
                      MatchCase{"MoreOutputsThanInputs", 2, 5, 14, Weights::Random, usualRates},
                      MatchCase{"Wide", 3, 64, 32, Weights::Random, usualRates},
                      MatchCase{"Deep", 12, 9, 4, Weights::Random, usualRates},
                      MatchCase{"DeepExtremes", 16, 8, 8, Weights::Extremes, extremeRates},
                      MatchCase{"NarrowExtremes", 20, 2, 3, Weights::Extremes, extremeRates},
                      MatchCase{"WideExtremes", 6, 40, 100, Weights::Extremes, extremeRates},
                      MatchCase{"SaturatingChain", 79, 1, 1, Weights::SaturatingChain, extremeRates},
                      // The same weights across bands wide enough for the vector paths.
                      MatchCase{"SaturatingBands", 30, 16, 16, Weights::SaturatingBands, usualRates},
                      // Bands of two chunks, whose second adds to accumulators the first filled.
                      MatchCase{"SaturatingWideBands", 26, 260, 260, Weights::SaturatingBands, usualRates},
                      MatchCase{"NegativeRates", 4, 12, 20, Weights::Random, negativeRates},
                      MatchCase{"NegativeRatesExtremes", 8, 16, 6, Weights::Extremes, negativeRates},
                      // A band wider than one draw chunk, so that a band takes its draws in pieces.
                      MatchCase{"WiderThanAChunk", 2, 300, 120, Weights::Random, usualRates},
                      MatchCase{"WiderThanAChunkExtremes", 3, 520, 200, Weights::Extremes, extremeRates}),
                       ::testing::Values(Rounding::Classic, Rounding::Precise),
                       ::testing::Values(EnginePath::Scalar, EnginePath::Avx2, EnginePath::Avx512)),
    [](const ::testing::TestParamInfo<std::tuple<MatchCase, Rounding, EnginePath>>& param) {
        return std::string(std::get<0>(param.param).name) +
               (std::get<1>(param.param) == Rounding::Classic ? "_Classic_" : "_Precise_") +
               EnginePathName(std::get<2>(param.param));
    });

} // namespace

namespace {

struct RowsCase {
    const char* name;
    int32_t layers;
    int32_t inputs;
    int32_t outputs;
    int32_t rows;
};

void PrintTo(const RowsCase& rows, std::ostream* out)
{
    *out << rows.name;
}

class ForwardRowsMatch : public EngineTest, public ::testing::WithParamInterface<std::tuple<RowsCase, EnginePath>> {};

// Many rows side by side give every row the outputs of the step-by-step forward pass, and leave
// the network as the last row's pass did.
TEST_P(ForwardRowsMatch, EveryRowGetsTheOutputsOfItsOwnPass)
{
    const auto& [shape, path] = GetParam();
    TestNetwork network(shape.layers, shape.inputs, shape.outputs);
    if (!network.net.SetPath(path)) {
        GTEST_SKIP() << "this processor cannot run the " << EnginePathName(path) << " path";
    }
    ReferenceNet reference(network.net.GetNeuronCount(), shape.inputs, shape.outputs);
    RandomSource weights(99);
    network.net.Randomize(weights);
    for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j) {
        for (int32_t m = 0; m < 4; ++m) {
            reference.units[static_cast<size_t>(j)].weights[m] = network.net.GetWeight(j, m);
        }
    }
    std::vector<uint8_t> inputs(static_cast<size_t>(shape.rows * shape.inputs));
    for (uint8_t& level : inputs) {
        level = static_cast<uint8_t>(random.Draw() & 0xFF);
    }
    std::vector<uint8_t> outputs(static_cast<size_t>(shape.rows * shape.outputs), 0xEE);
    network.net.ForwardRows(inputs.data(), shape.rows, outputs.data());
    for (int32_t row = 0; row < shape.rows; ++row) {
        std::copy_n(inputs.begin() + row * shape.inputs, shape.inputs, reference.inputLevels.begin());
        reference.Forward();
        for (int32_t t = 0; t < shape.outputs; ++t) {
            ASSERT_EQ(outputs[static_cast<size_t>(row * shape.outputs + t)], reference.outputLevels[static_cast<size_t>(t)])
                << "row " << row << " output " << t;
        }
    }
    for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j) {
        ASSERT_EQ(network.net.GetNeuron(j).level, reference.units[static_cast<size_t>(j)].level) << "neuron " << j;
        ASSERT_EQ(network.net.GetNeuron(j).sum, reference.units[static_cast<size_t>(j)].sum) << "neuron " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Networks, ForwardRowsMatch,
    ::testing::Combine(::testing::Values(RowsCase{"Narrow", 5, 4, 2, 7}, RowsCase{"OneBandVector", 3, 16, 8, 9},
                                         RowsCase{"RaggedBands", 4, 20, 45, 6}, RowsCase{"Wide", 3, 64, 32, 13},
                                         RowsCase{"OneRow", 2, 24, 10, 1}),
                       ::testing::Values(EnginePath::Scalar, EnginePath::Avx2, EnginePath::Avx512)),
    [](const ::testing::TestParamInfo<std::tuple<RowsCase, EnginePath>>& param) {
        return std::string(std::get<0>(param.param).name) + "_" + EnginePathName(std::get<1>(param.param));
    });

} // namespace
