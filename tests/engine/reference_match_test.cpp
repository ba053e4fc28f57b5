#include <algorithm>
#include <array>
#include <random>
#include <tuple>
#include <vector>

#include "engine/learning_constants.h"
#include "engine/level_lookup.h"
#include "engine/pair_rounding.h"
#include "tests/engine/engine_test_support.h"
#include "tests/engine/reference_net.h"

namespace {

// The engine's level lookup against the reference's eight probes, for every sum.
TEST(LevelLookup, MatchesEightProbesForEverySum)
{
    for (uint32_t sum = 0; sum <= MaxNeuronSum; ++sum) {
        const LevelBracket bracket = BracketOfSum(sum);
        ASSERT_EQ(std::tuple(bracket.lo, bracket.hi), std::tuple(BisectSum(sum).lo, BisectSum(sum).hi)) << sum;
        // The level alone, by one comparison, and the output slot from it.
        ASSERT_EQ(LevelOfSum(sum), bracket.lo) << sum;
        ASSERT_EQ(sum >= ActivationTable[0] ? bracket.lo + 1 : 0u, bracket.hi) << sum;
    }
}

// Random: every weight drawn. Extremes: every weight 0 or 255. SaturatingChain: a width-one
// chain whose levels stay in the steep middle of the table, so that the error grows with every
// neuron back from the output until the accumulators saturate. SaturatingBands: the same in wide
// bands: inputs 1 and 3 weigh 240, input 2 nothing, and the biases hold every level at 128 for
// pattern inputs of 128, so that a neuron's error comes from two of the next band's deltas,
// which grow by about 1.9 a band. SaturatingOddColumns: the same, but odd neurons weigh inputs 1
// and 3 255, with a bias that holds their level at 108 (a width of 491) for inputs of 108, so that
// two contributions of saturated deltas pass the accumulator limit in odd columns.
enum class Weights { Random, Extremes, SaturatingChain, SaturatingBands, SaturatingOddColumns };

std::vector<uint8_t> RandomLevels(std::mt19937& generator, int32_t count)
{
    std::vector<uint8_t> levels(static_cast<size_t>(count));
    std::generate(levels.begin(), levels.end(), [&generator] { return static_cast<uint8_t>(generator()); });
    return levels;
}

// Everything that Forward and Learn leave of a neuron: sum, level, error, sources, inputs, weights.
using State = std::array<int64_t, 13>;

// Of an engine's Neuron or a reference's Unit, whose fields have the same names.
template <typename Record>
State StateOf(const Record& n)
{
    return {n.sum, n.level, n.error, n.sources[0], n.sources[1], n.sources[2], n.inputs[0], n.inputs[1], n.inputs[2],
            n.weights[0], n.weights[1], n.weights[2], n.weights[3]};
}

// The engine and the reference on the same network, weighted alike.
struct Pair {
    Pair(std::array<int32_t, 3> shape, Weights weights)
        : network(shape[0], shape[1], shape[2]), reference(network.net.GetNeuronCount(), shape[1], shape[2])
    {
        RandomSource draws(4242);
        network.net.Randomize(draws);
        for (int32_t k = 0; k < 4 * network.net.GetNeuronCount(); ++k) {
            const bool even = k / 4 % 2 == 0;
            const auto m = static_cast<size_t>(k % 4);
            const int32_t drawn = network.net.GetWeight(k / 4, k % 4);
            network.net.SetWeight(k / 4, k % 4,
                                  weights == Weights::Extremes ? ((drawn & 1) != 0 ? 255 : 0)
                                  : weights == Weights::SaturatingChain ? (even ? std::array{216, 0, 255, 0} : std::array{75, 255, 0, 255})[m]
                                  : weights == Weights::SaturatingBands ? std::array{even ? 15 : 11, 240, 0, 240}[m]
                                  : weights == Weights::SaturatingOddColumns ? (even ? std::array{15, 240, 0, 240} : std::array{17, 255, 0, 255})[m]
                                                                        : drawn);
        }
        reference.CopyWeights(network.net);
    }

    void Forward(const std::vector<uint8_t>& inputs)
    {
        std::copy(inputs.begin(), inputs.end(), network.buffer.GetInputLevels());
        reference.inputLevels = inputs;
        network.net.Forward();
        reference.Forward();
    }

    void SetTargets(const std::vector<uint8_t>& targets)
    {
        for (int32_t t = 0; t < network.buffer.GetOutputCount(); ++t)
            network.net.SetTarget(t, targets[static_cast<size_t>(t)]);
        reference.targets = targets;
    }

    void ExpectSame(const char* stage)
    {
        for (int32_t j = 0; j < network.net.GetNeuronCount(); ++j)
            ASSERT_EQ(StateOf(network.net.GetNeuron(j)), StateOf(reference.units[static_cast<size_t>(j)])) << stage << " neuron " << j;
        const uint8_t* outputs = network.buffer.GetOutputLevels();
        ASSERT_EQ(std::vector(outputs, outputs + network.buffer.GetOutputCount()), reference.outputLevels) << stage;
    }

    TestNetwork network;
    ReferenceNet reference;
};

struct MatchCase {
    const char* name;
    std::array<int32_t, 3> shape;
    Weights weights;
    std::vector<int32_t> rates;
};

class ReferenceMatch : public ::testing::TestWithParam<std::tuple<MatchCase, Rounding, EnginePath>> {};

// The AVX-512 kernels' wide forward pass leaves the level entries unset, as its learning divides
// without them; a Learn on the AVX2 path after it finds them made.
TEST(ReferenceMatchAcrossPaths, LearnsOnAnotherPathThanTheForwardPass)
{
    Pair pair({3, 64, 32}, Weights::Random);
    SKIP_UNLESS_PATH(pair.network, EnginePath::Avx2);
    SKIP_UNLESS_PATH(pair.network, EnginePath::Avx512);
    std::mt19937 patterns(12);
    for (int pass = 0; pass < 4; ++pass) {
        const Rounding rounding = pass % 2 == 0 ? Rounding::Classic : Rounding::Precise;
        pair.network.net.SetPath(EnginePath::Avx512);
        pair.Forward(RandomLevels(patterns, 64));
        pair.network.net.SetPath(EnginePath::Avx2);
        pair.SetTargets(RandomLevels(patterns, 32));
        RandomSource draws(static_cast<uint64_t>(pass) + 2);
        RandomSource referenceDraws = draws;
        ASSERT_EQ(pair.network.net.Learn(10922, draws, rounding), pair.reference.Learn(10922, referenceDraws, rounding));
        pair.ExpectSame("learn");
    }
}

TEST_P(ReferenceMatch, ForwardAndLearnMatchTheStepByStepAlgorithm)
{
    const auto& [match, rounding, path] = GetParam();
    const auto& [layers, inputs, outputs] = match.shape;
    Pair pair(match.shape, match.weights);
    SKIP_UNLESS_PATH(pair.network, path);
    std::mt19937 patterns(static_cast<uint32_t>(layers * 1000003 + inputs * 1009 + outputs));
    const bool saturating = match.weights == Weights::SaturatingChain || match.weights == Weights::SaturatingBands;
    for (int pass = 0; pass < 12; ++pass) {
        const uint8_t fixedInput = match.weights == Weights::SaturatingChain ? 89 : 128;
        pair.Forward(saturating ? std::vector<uint8_t>(static_cast<size_t>(inputs), fixedInput) : RandomLevels(patterns, inputs));
        pair.ExpectSame("forward");
        pair.SetTargets(RandomLevels(patterns, outputs));
        const int32_t rate = match.rates[static_cast<size_t>(pass) % match.rates.size()];
        RandomSource draws(static_cast<uint64_t>(pass) + 2);
        RandomSource referenceDraws = draws;
        ASSERT_EQ(pair.network.net.Learn(rate, draws, rounding), pair.reference.Learn(rate, referenceDraws, rounding));
        ASSERT_EQ(draws.DrawsTaken(), referenceDraws.DrawsTaken()) << "the draw sequences parted in pass " << pass;
        pair.ExpectSame("learn");
    }
    EXPECT_TRUE(pair.reference.reachedLimit || !saturating) << "no accumulator saturated";

    // Rows side by side give every row the outputs of its own pass, and leave the last row's.
    const int32_t rows = 9;
    const std::vector<uint8_t> inputRows = RandomLevels(patterns, rows * inputs);
    std::vector<uint8_t> outputRows(static_cast<size_t>(rows * outputs));
    pair.network.net.ForwardRows(inputRows.data(), rows, outputRows.data());
    for (int32_t row = 0; row < rows; ++row) {
        pair.reference.inputLevels.assign(inputRows.begin() + row * inputs, inputRows.begin() + (row + 1) * inputs);
        pair.reference.Forward();
        ASSERT_EQ(std::vector(outputRows.begin() + row * outputs, outputRows.begin() + (row + 1) * outputs),
                  pair.reference.outputLevels) << "row " << row;
    }
    pair.ExpectSame("rows");
}

const std::vector<int32_t> usualRates = {10922, 65025, 3000, 0, 1};
// 40959375 * 4 is the step divisor: with it, every product of an input that is a multiple of 4
// and any delta is an exact multiple of the divisor. Negative rates reverse every step.
const std::vector<int32_t> extremeRates = {INT32_MAX, 65025, 40959375, INT32_MAX - 1, 10922};
const std::vector<int32_t> negativeRates = {-10922, INT32_MIN, -1, 10922, -40959375, -65025};

INSTANTIATE_TEST_SUITE_P(
    Networks, ReferenceMatch,
    ::testing::Combine(
        ::testing::Values(MatchCase{"Default", {5, 4, 2}, Weights::Random, usualRates}, MatchCase{"WidthOne", {4, 1, 1}, Weights::Random, usualRates},
                          MatchCase{"WidthTwo", {3, 2, 5}, Weights::Random, usualRates},
                          MatchCase{"WidthThree", {6, 3, 5}, Weights::Random, usualRates},
                          // Runs out of a draw window in both roundings with a band waiting for its steps.
                          MatchCase{"NarrowPastADrawWindow", {1700, 4, 1}, Weights::Random, usualRates}, MatchCase{"Wide", {3, 64, 32}, Weights::Random, usualRates},
                          MatchCase{"MoreOutputsThanInputs", {2, 5, 14}, Weights::Random, usualRates}, MatchCase{"Deep", {12, 9, 4}, Weights::Random, usualRates},
                          MatchCase{"DeepExtremes", {16, 8, 8}, Weights::Extremes, extremeRates}, MatchCase{"NarrowExtremes", {20, 2, 3}, Weights::Extremes, extremeRates},
                          MatchCase{"WideExtremes", {6, 40, 100}, Weights::Extremes, extremeRates},
                          MatchCase{"SaturatingChain", {79, 1, 1}, Weights::SaturatingChain, extremeRates},
                          MatchCase{"SaturatingBands", {30, 16, 16}, Weights::SaturatingBands, usualRates},
                          // Narrow bands step two at a time: a saturating band finds the one above
                          // it waiting for its steps.
                          MatchCase{"SaturatingNarrowBands", {30, 4, 4}, Weights::SaturatingBands, usualRates},
                          // Bands of two chunks, whose second adds to what the first sent.
                          MatchCase{"SaturatingWideBands", {26, 260, 260}, Weights::SaturatingBands, usualRates},
                          MatchCase{"NegativeRates", {4, 12, 20}, Weights::Random, negativeRates}, MatchCase{"WiderThanAChunk", {2, 300, 120}, Weights::Random, usualRates},
                          MatchCase{"NegativeRatesExtremes", {8, 16, 6}, Weights::Extremes, negativeRates},
                          MatchCase{"WiderThanAChunkExtremes", {3, 520, 200}, Weights::Extremes, extremeRates}),
        BothRoundings, AllPaths),
    RowRoundingAndPath());

// One output off its target and the others on theirs: the error spreads from its column (output t
// is the band's column 39 - t) to columns c and c - 2 of each band below, keeping to odd columns,
// and grows until accumulators there pass the limit while the even columns stay far from it. A
// vector path must then find the band's largest delta in whichever lane holds it.
struct OffTargetOutput {
    const char* name;
    int32_t output;
};

class OneColumnSaturates : public ::testing::TestWithParam<std::tuple<OffTargetOutput, Rounding, EnginePath>> {};

TEST_P(OneColumnSaturates, AsTheReference)
{
    const auto& [row, rounding, path] = GetParam();
    constexpr int32_t Width = 40;
    Pair pair({24, Width, Width}, Weights::SaturatingOddColumns);
    SKIP_UNLESS_PATH(pair.network, path);
    std::vector<uint8_t> inputs(Width);
    for (size_t c = 0; c < inputs.size(); ++c) {
        inputs[c] = c % 2 == 0 ? 128 : 108;
    }
    pair.Forward(inputs);
    std::vector<uint8_t> targets = pair.reference.outputLevels;
    uint8_t& off = targets[static_cast<size_t>(row.output)];
    off = off < 128 ? 255 : 0;
    pair.SetTargets(targets);
    RandomSource draws(5);
    RandomSource referenceDraws = draws;
    ASSERT_EQ(pair.network.net.Learn(10922, draws, rounding), pair.reference.Learn(10922, referenceDraws, rounding));
    EXPECT_TRUE(pair.reference.reachedLimit) << "no accumulator saturated";
    pair.ExpectSame("learn");
}

INSTANTIATE_TEST_SUITE_P(Networks, OneColumnSaturates,
                         ::testing::Combine(::testing::Values(OffTargetOutput{"Output10", 10}, OffTargetOutput{"Output28", 28}),
                                            BothRoundings, AllPaths),
                         RowRoundingAndPath());

// Draws at the edge of every comparison, made from the remainders that a first Learn on a copy
// (the probe) saw. Classic: each draw equal to its remainder, which must not raise (at level 254
// the probe's draw). Precise: step pairs and level-254 delta pairs just below
// remainder * 2^30 / divisor, which leaves them undecided, so that further pairs follow each
// chunk's fixed draws; those settle a delta as the probe's was (so that every remainder stays as
// seen) and a step either way.
std::vector<uint16_t> EdgeDraws(const ReferenceNet& probe, Rounding rounding, const std::vector<uint8_t>& deltaDraws,
                                bool atEdge, int64_t& undecided)
{
    std::vector<uint16_t> draws;
    if (rounding == Rounding::Classic) {
        for (size_t i = probe.units.size(); i-- > 0;) {
            const int64_t width = probe.Width(probe.units[i].level);
            draws.push_back(static_cast<uint16_t>(width > 32768 ? 32767 : atEdge ? probe.seen[i].deltaRemainder : width - 1));
            for (const int64_t remainder : probe.seen[i].stepRemainders)
                draws.push_back(static_cast<uint16_t>(atEdge ? std::min<int64_t>(remainder, 32767) : 0));
        }
        return draws;
    }
    const auto below = [](int64_t remainder, int64_t divisor) { return static_cast<uint32_t>((remainder << 30) / divisor); };
    probe.ForEachChunk([&](int64_t top, int64_t bottom) {
        const auto n = static_cast<size_t>(top - bottom + 1);
        std::vector<uint16_t> fixed(10 * n);
        std::vector<uint16_t> further;
        const auto put = [&](size_t slot, size_t p, uint32_t value) {
            fixed[slot * n + p] = static_cast<uint16_t>(value >> 15);
            fixed[(slot + 1) * n + p] = static_cast<uint16_t>(value & 0x7FFF);
        };
        // Appends the further pair that settles an undecided pair as raising, or not.
        const auto settle = [&](bool raises) { further.insert(further.end(), 2, raises ? 0 : 0x7FFF); };
        for (int64_t i = top; i >= bottom; --i) {
            const auto p = static_cast<size_t>(i - bottom);
            const ReferenceNet::Seen& seen = probe.seen[static_cast<size_t>(i)];
            const int64_t width = probe.Width(probe.units[static_cast<size_t>(i)].level);
            const uint32_t deltaPair = below(seen.deltaRemainder, width);
            const bool undecidedDelta = atEdge && width > 32768 &&
                                        PairUndecided(static_cast<uint64_t>(seen.deltaRemainder), static_cast<uint64_t>(width), deltaPair);
            const size_t k = static_cast<size_t>(i) % (deltaDraws.size() - 1);
            put(0, p, undecidedDelta ? deltaPair : deltaDraws[k] * 32768u + deltaDraws[k + 1]);
            if (undecidedDelta) {
                settle(seen.deltaRose);
                ++undecided;
            }
            for (size_t m = 0; m < 4; ++m) {
                const uint32_t value = atEdge ? below(seen.stepRemainders[m], StepDivisor) : 0;
                put(2 + 2 * m, p, value);
                if (atEdge && PairUndecided(static_cast<uint64_t>(seen.stepRemainders[m]), StepDivisor, value)) {
                    settle((static_cast<size_t>(i) + m) % 2 == 0);
                    ++undecided;
                }
            }
        }
        draws.insert(draws.end(), fixed.begin(), fixed.end());
        draws.insert(draws.end(), further.begin(), further.end());
    });
    return draws;
}

class EdgeDrawsMatch : public ::testing::TestWithParam<std::tuple<MatchCase, Rounding, EnginePath>> {};

TEST_P(EdgeDrawsMatch, EveryPathDecidesAsTheReference)
{
    const auto& [edge, rounding, path] = GetParam();
    const auto& [name, shape, weights, rates] = edge;
    const int32_t rate = rates[0];
    Pair pair(shape, weights);
    SKIP_UNLESS_PATH(pair.network, path);
    std::mt19937 generator(7);
    pair.Forward(RandomLevels(generator, shape[1]));
    pair.SetTargets(RandomLevels(generator, shape[2]));
    const std::vector<uint8_t> deltaDraws = RandomLevels(generator, 97);
    ReferenceNet probe = pair.reference;
    int64_t undecided = 0;
    ScriptedDraws probeDraws(EdgeDraws(probe, rounding, deltaDraws, false, undecided));
    probe.Learn(rate, probeDraws.Source(), rounding);

    const std::vector<uint16_t> draws = EdgeDraws(probe, rounding, deltaDraws, true, undecided);
    ScriptedDraws engineDraws(draws);
    ScriptedDraws referenceDraws(draws);
    ASSERT_EQ(pair.network.net.Learn(rate, engineDraws.Source(), rounding),
              pair.reference.Learn(rate, referenceDraws.Source(), rounding));
    EXPECT_EQ(std::pair(engineDraws.Taken(), referenceDraws.Taken()), std::pair(int64_t(draws.size()) + 1, int64_t(draws.size()) + 1));
    EXPECT_TRUE(rounding == Rounding::Classic || undecided > 20) << undecided << " undecided pairs";
    pair.ExpectSame("learn");
}

INSTANTIATE_TEST_SUITE_P(
    Networks, EdgeDrawsMatch,
    ::testing::Combine(::testing::Values(MatchCase{"Width4Rate10922", {6, 4, 3}, Weights::Extremes, {10922}},
                                         MatchCase{"Width4Rate50", {6, 4, 3}, Weights::Extremes, {50}},
                                         MatchCase{"Width20Rate10922", {3, 20, 12}, Weights::Extremes, {10922}},
                                         MatchCase{"Width20Rate50", {3, 20, 12}, Weights::Extremes, {50}},
                                         MatchCase{"Width300Rate10922", {2, 300, 120}, Weights::Extremes, {10922}}),
                       BothRoundings, AllPaths),
    RowRoundingAndPath());

} // namespace
