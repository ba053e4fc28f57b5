#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/best_network.h"
#include "engine/discrete_net.h"
#include "tests/engine/engine_test_support.h"
#include "tests/support/rows.h"

namespace {

TEST(BestNetwork, KeepsTheLowestErrorAndTheEarlierOfATie)
{
    TestNetwork network(1, 2, 2);
    BestNetwork best;
    EXPECT_FALSE(best.HasBest());
    EXPECT_FALSE(best.DiffersFrom(network.net));
    std::vector<std::vector<uint8_t>> offered;
    const std::vector<uint64_t> errors = {500, 300, 300, 400, 301};
    for (size_t k = 0; k < errors.size(); ++k) {
        network.net.SetWeight(0, 0, static_cast<int32_t>(10 + k));
        offered.push_back(WeightsOf(network.net));
        Evaluation evaluation;
        evaluation.squaredLevelErrors = errors[k];
        best.Offer(network.net, static_cast<uint32_t>(100 * (k + 1)), evaluation);
    }
    EXPECT_EQ(best.GetPasses(), 200u);
    EXPECT_EQ(best.GetEvaluation().squaredLevelErrors, 300u);
    EXPECT_TRUE(best.DiffersFrom(network.net));
    ASSERT_TRUE(best.Restore(network.net));
    EXPECT_EQ(WeightsOf(network.net), offered[1]);
    EXPECT_FALSE(best.DiffersFrom(network.net));

    TestNetwork other(2, 2, 2);
    EXPECT_FALSE(best.Restore(other.net));
    best.Clear();
    EXPECT_FALSE(best.HasBest());
    EXPECT_FALSE(best.Restore(network.net));
}

struct IntervalRow {
    const char* name;
    size_t records;
    uint32_t every;
};

class DefaultInterval : public testing::TestWithParam<IntervalRow> {};

TEST_P(DefaultInterval, IsFivePassesPerRecordRoundedUp)
{
    EXPECT_EQ(DefaultEvaluationInterval(GetParam().records), GetParam().every);
}

INSTANTIATE_TEST_SUITE_P(Rows, DefaultInterval,
                         testing::Values(IntervalRow{"FewRecords", 20, 100}, IntervalRow{"JustAboveTheLeast", 21, 200},
                                         IntervalRow{"Iris", 105, 1000}, IntervalRow{"Round", 1000, 5000},
                                         IntervalRow{"Largest", 1000000000, 2000000000}),
                         RowName());

}  // namespace
