#include <algorithm>
#include <array>
#include <vector>

#include "engine/xoshiro_lanes.h"
#include "tests/engine/engine_test_support.h"

namespace {

// The first draws of a seed pin the generator: xoshiro256** seeded by SplitMix64, each output cut
// into four 15-bit draws. Saved networks and seeded runs depend on this sequence.
TEST(RandomSourceSequence, SeedsGiveTheirKnownDraws)
{
    const std::vector<std::pair<uint64_t, std::array<int32_t, 8>>> cases = {
        {0, {24363, 22894, 6093, 19702, 25682, 2346, 2014, 24503}},
        {20240601, {18051, 21139, 1061, 11451, 31410, 2733, 22554, 16161}},
    };
    for (const auto& [seed, expected] : cases) {
        RandomSource random(seed);
        for (int32_t value : expected) {
            EXPECT_EQ(random.Draw(), value) << "seed " << seed;
        }
    }
}

// Draw, Take of any size across refills, copies and reseeding all see one sequence.
TEST(RandomSourceSequence, EveryWayOfTakingSeesTheSameSequence)
{
    RandomSource single(99);
    std::vector<int32_t> expected;
    for (int k = 0; k < 120000; ++k) {
        expected.push_back(single.Draw());
    }

    // Sizes that straddle refills, keeping draws over, and one larger than a whole refill.
    RandomSource taken(99);
    std::vector<int32_t> seen;
    for (size_t size : {size_t{1}, size_t{5}, size_t{3}, size_t{255}, size_t{1000}, size_t{2}, size_t{2500}, size_t{9},
                        size_t{30000}, size_t{7}, size_t{40000}, size_t{17}}) {
        const uint16_t* draws = taken.Take(size);
        seen.insert(seen.end(), draws, draws + size);
    }
    RandomSource copy = taken;
    while (seen.size() < expected.size()) {
        seen.push_back(taken.Draw());
        EXPECT_EQ(copy.Draw(), seen.back());
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(taken.DrawsTaken(), expected.size());

    taken.Seed(99);
    EXPECT_EQ(taken.DrawsTaken(), 0u);
    EXPECT_EQ(taken.Draw(), expected[0]);
}

// A scripted source yields its script in order; seeding it returns it to the generator.
TEST(RandomSourceSequence, ScriptsReplaceTheGeneratorUntilSeeded)
{
    ScriptedDraws counting([value = 0]() mutable { return value++ % 7; });
    RandomSource& random = counting.Source();
    for (int32_t k = 0; k < 600; ++k) {
        ASSERT_EQ(random.Draw(), k % 7);
    }
    EXPECT_EQ(counting.Taken(), 600);
    random.Seed(0);
    EXPECT_EQ(random.Draw(), 24363);
}

} // namespace

namespace {

class GeneratorPaths : public ::testing::TestWithParam<EnginePath> {};

// The lanes of a vector path, started through the jump tables, continue the one sequence: the
// same draws as the generator one output at a time, across batches and a ragged end.
TEST_P(GeneratorPaths, LanesGiveTheSequenceOfTheSingleGenerator)
{
    if (!IsEnginePathSupported(GetParam())) {
        GTEST_SKIP() << "this processor cannot run the " << EnginePathName(GetParam()) << " path";
    }
    constexpr size_t Words = 3 * MaxLanes * LaneOutputs + 37;
    for (uint64_t seed : {uint64_t{0}, uint64_t{20240601}, ~uint64_t{0}}) {
        RandomSource seeded(seed);
        uint64_t single[4];
        uint64_t lanes[4];
        // The seeded state, recovered from a fresh source's first refill: both start from it.
        std::vector<uint16_t> expected(4 * Words);
        std::vector<uint16_t> seen(4 * Words + 1, 0xFFFF);
        SeededState(seed, single);
        SeededState(seed, lanes);
        GenerateDraws(single, expected.data(), Words, EnginePath::Scalar);
        GenerateDraws(lanes, seen.data(), Words, GetParam());
        ASSERT_TRUE(std::equal(expected.begin(), expected.end(), seen.begin())) << "seed " << seed;
        EXPECT_EQ(seen.back(), 0xFFFF) << "wrote past the end";
        EXPECT_TRUE(std::equal(single, single + 4, lanes)) << "the states parted";
        EXPECT_EQ(seeded.Draw(), expected[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, GeneratorPaths, ::testing::Values(EnginePath::Avx2, EnginePath::Avx512),
                         [](const ::testing::TestParamInfo<EnginePath>& param) { return EnginePathName(param.param); });

} // namespace
