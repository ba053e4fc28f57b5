#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "document/best_network.h"
#include "document/training_log.h"
#include "document/transformation_tables.h"
#include "engine/discrete_net.h"
#include "tests/engine/engine_test_support.h"

namespace {

Evaluation WithError(uint64_t squaredLevelErrors)
{
    Evaluation evaluation;
    evaluation.records = 10;
    evaluation.outputs = 2;
    evaluation.squaredLevelErrors = squaredLevelErrors;
    evaluation.levelError = static_cast<double>(squaredLevelErrors) / 20;
    return evaluation;
}

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
        best.Offer(network.net, static_cast<uint32_t>(100 * (k + 1)), WithError(errors[k]));
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

// Trains a small network on a scripted random source, evaluating every 25 passes, and checks
// that the weights restored are those of the evaluation with the lowest error.
TEST(KeepBest, RestoresTheWeightsOfTheBestEvaluation)
{
    uint32_t state = 1;
    ScriptedDraws draws([&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<int32_t>(state >> 17);
    });
    RandomSource& random = draws.Source();
    TestNetwork network(2, 3, 2);
    network.net.Randomize(random);
    std::vector<double> outputTables(2 * TableLength);
    FillIdentityTables(outputTables.data(), 2);
    EvaluationSet set;
    set.inputs = 3;
    set.outputs = 2;
    set.inputLevels = {0, 50, 200, 255, 128, 7, 30, 30, 30, 220, 10, 90};
    set.targetLevels = {200, 10, 10, 200, 120, 120, 60, 180};
    set.targetValues.assign(set.targetLevels.begin(), set.targetLevels.end());
    KeepBest keepBest(set, 25, 2);
    EXPECT_EQ(keepBest.GetEvery(), 25u);
    BestNetwork best;

    std::vector<uint64_t> errors;
    std::vector<std::vector<uint8_t>> weights;
    for (uint32_t pass = 1; pass <= 975; ++pass) {
        const auto record = static_cast<size_t>(random.Draw() % 4);
        for (int32_t i = 0; i < 3; ++i)
            network.buffer.SetInput(i, set.inputLevels[record * 3 + static_cast<size_t>(i)]);
        network.net.Forward();
        for (int32_t t = 0; t < 2; ++t)
            network.net.SetTarget(t, set.targetLevels[record * 2 + static_cast<size_t>(t)]);
        network.net.Learn(2000, random, Rounding::Precise);
        if (!keepBest.IsDue(pass))
            continue;
        errors.push_back(keepBest.EvaluateAt(network.net, outputTables, pass, best).squaredLevelErrors);
        weights.push_back(WeightsOf(network.net));
    }
    ASSERT_EQ(errors.size(), 39u);
    const auto lowest = std::min_element(errors.begin(), errors.end());
    const auto at = static_cast<size_t>(lowest - errors.begin());
    // The run is worth checking: the error moved, and the best is not where training stopped.
    ASSERT_NE(*lowest, errors.front());
    ASSERT_NE(at, errors.size() - 1);

    EXPECT_EQ(best.GetPasses(), 25 * (at + 1));
    EXPECT_EQ(best.GetEvaluation().squaredLevelErrors, *lowest);
    EXPECT_TRUE(best.DiffersFrom(network.net));
    ASSERT_TRUE(best.Restore(network.net));
    EXPECT_EQ(WeightsOf(network.net), weights[at]);
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
                         testing::Values(IntervalRow{"NoRecords", 0, 100}, IntervalRow{"FewRecords", 20, 100},
                                         IntervalRow{"JustAboveTheLeast", 21, 200},
                                         IntervalRow{"Iris", 105, 1000}, IntervalRow{"Round", 1000, 5000},
                                         IntervalRow{"TwoTimesPower", 3000, 20000},
                                         IntervalRow{"Largest", 1000000000, 2000000000}),
                         [](const auto& row) { return std::string(row.param.name); });

struct LogRow {
    const char* name;
    TrainingLogColumns columns;
    bool evaluated;
    std::string header;
    std::string row;
};

class TrainingLog : public testing::TestWithParam<LogRow> {};

TEST_P(TrainingLog, WritesTheColumnsItAnnounces)
{
    Evaluation evaluation = WithError(25);
    evaluation.classFigures = ClassFigures{};
    evaluation.classFigures->accuracy = 0.875;
    const LogRow& row = GetParam();
    EXPECT_EQ(TrainingLogHeader(row.columns), row.header);
    EXPECT_EQ(TrainingLogRow(row.columns, 4000000000u, 1234, row.evaluated ? &evaluation : nullptr), row.row);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TrainingLog,
    testing::Values(LogRow{"AverageOnly", {false, false}, false, "passes,average_error\n", "4000000000,1234\n"},
                    LogRow{"Evaluation", {true, false}, true, "passes,average_error,evaluation_error\n",
                           "4000000000,1234,1.25\n"},
                    LogRow{"Accuracy", {true, true}, true, "passes,average_error,evaluation_error,accuracy\n",
                           "4000000000,1234,1.25,0.875\n"},
                    LogRow{"AccuracyOnlyWithEvaluation", {false, true}, true, "passes,average_error\n",
                           "4000000000,1234\n"},
                    LogRow{"NotYetEvaluated", {true, true}, false, "passes,average_error,evaluation_error,accuracy\n",
                           "4000000000,1234,,\n"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
