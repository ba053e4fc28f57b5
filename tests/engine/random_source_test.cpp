#include <algorithm>
#include <array>
#include <vector>

#include "engine/xoshiro_lanes.h"
#include "tests/engine/engine_test_support.h"

namespace {

class SeededSequence : public ::testing::TestWithParam<std::pair<uint64_t, std::array<int32_t, 8>>> {};

// The first draws of a seed pin the generator: xoshiro256** seeded by SplitMix64, each output cut
// into four 15-bit draws. Saved networks and seeded runs depend on this sequence.
TEST_P(SeededSequence, GivesItsKnownDraws)
{
    RandomSource random(GetParam().first);
    std::array<int32_t, 8> drawn{};
    for (int32_t& value : drawn)
        value = random.Draw();
    EXPECT_EQ(drawn, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SeededSequence,
                         ::testing::Values(std::pair{uint64_t{0}, std::array{24363, 22894, 6093, 19702, 25682, 2346, 2014, 24503}},
                                           std::pair{uint64_t{20240601},
                                                     std::array{18051, 21139, 1061, 11451, 31410, 2733, 22554, 16161}}));

// Draw, Take of any size across refills, Peek and Skip, copies and reseeding all see one sequence;
// a scripted source yields its script until seeded.
TEST(RandomSourceSequence, EveryWayOfTakingSeesTheSameSequence)
{
    RandomSource single(99);
    std::vector<int32_t> expected(120000);
    for (int32_t& value : expected)
        value = single.Draw();
    RandomSource taken(99);
    std::vector<int32_t> seen;
    for (size_t size : {1, 5, 3, 255, 1000, 2, 2500, 9, 30000, 7, 40000, 17}) {
        const uint16_t* peeked = taken.Peek(size + 3);
        const uint16_t* draws = taken.Take(size);
        EXPECT_EQ(peeked, draws);
        seen.insert(seen.end(), draws, draws + size);
    }
    taken.Skip(0);
    RandomSource copy = taken;
    while (seen.size() < expected.size()) {
        seen.push_back(taken.Draw());
        ASSERT_EQ(copy.Draw(), seen.back());
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(taken.DrawsTaken(), expected.size());
    taken.Seed(99);
    EXPECT_EQ(taken.DrawsTaken(), 0u);
    EXPECT_EQ(taken.Draw(), expected[0]);

    ScriptedDraws counting([value = 0]() mutable { return value++ % 7; });
    for (int32_t k = 0; k < 600; ++k)
        ASSERT_EQ(counting.Source().Draw(), k % 7);
    counting.Source().Seed(0);
    EXPECT_EQ(counting.Source().Draw(), 24363);
}

class GeneratorLanes : public ::testing::TestWithParam<EnginePath> {};

// The lanes of a vector path, started through the jump tables, continue the one sequence: the
// same draws as the generator one output at a time, across batches and a ragged end.
TEST_P(GeneratorLanes, GiveTheSequenceOfTheSingleGenerator)
{
    if (!IsEnginePathSupported(GetParam()))
        GTEST_SKIP() << "this processor cannot run the " << EnginePathName(GetParam()) << " path";
    constexpr size_t Words = 3 * MaxLanes * LaneOutputs + 37;
    for (uint64_t seed : {uint64_t{0}, ~uint64_t{0}}) {
        uint64_t single[4];
        uint64_t lanes[4];
        SeededState(seed, single);
        SeededState(seed, lanes);
        std::vector<uint16_t> expected(4 * Words);
        std::vector<uint16_t> seen(4 * Words + 1, 0xFFFF);
        GenerateDraws(single, expected.data(), Words, EnginePath::Scalar);
        GenerateDraws(lanes, seen.data(), Words, GetParam());
        ASSERT_TRUE(std::equal(expected.begin(), expected.end(), seen.begin())) << "seed " << seed;
        EXPECT_EQ(seen.back(), 0xFFFF) << "wrote past the end";
        EXPECT_TRUE(std::equal(single, single + 4, lanes)) << "the states parted";
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, GeneratorLanes, ::testing::Values(EnginePath::Avx2, EnginePath::Avx512),
                         [](const auto& param) { return std::string(EnginePathName(param.param)); });

} // namespace
