// The learning settings, evaluation and keeping the best network, as the document and its file
// carry them.
#include "tests/document/document_fixture.h"

#include "document/best_network.h"
#include "document/settings_block.h"
#include "tests/engine/engine_test_support.h"

namespace {

LearningSettings KeepingEvery(uint32_t every, const std::string& validationPath = {})
{
    LearningSettings settings;
    settings.rounding = Rounding::Precise;
    settings.keepBest = {true, every, validationPath};
    settings.classes = 2;
    return settings;
}

// Two records that want opposite outputs, in the document's identity tables.
constexpr const char* TwoRecords = "10 20 30 40 200 10\n240 220 200 180 10 200\n";

TEST_F(DocumentTest, SettingsTravelInABlockAfterTheAverageErrorOnlyWhenChanged)
{
    document.SetLearningSettings(LearningSettings());
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(hints.empty());

    document.SetLearningSettings(KeepingEvery(7, "held out.dat"));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::All});
    const std::string saved = Save();
    EXPECT_EQ(saved, FreshFile(5, 4, 2) + EncodeSettingsBlock(KeepingEvery(7, "held out.dat")));

    NetworkModel loaded;
    std::string reason;
    ASSERT_TRUE(ReadNetwork(saved, loaded, reason)) << reason;
    EXPECT_EQ(loaded.Settings(), KeepingEvery(7, "held out.dat"));
    // A block whose length claims more bytes than follow loads as the default settings.
    ASSERT_TRUE(ReadNetwork(FreshFile(5, 4, 2) + "CvnS" + Ints({100}) + "\x01", loaded, reason)) << reason;
    EXPECT_EQ(loaded.Settings(), LearningSettings());
    EXPECT_EQ(WriteNetwork(loaded), FreshFile(5, 4, 2));
    // A new document forgets them.
    document.OnNewDocument();
    EXPECT_EQ(document.GetLearningSettings(), LearningSettings());
}

// Training evaluates every ten passes and keeps the weights of the lowest error; restoring brings
// those weights back.
TEST_F(DocumentTest, TrainingKeepsTheBestWeightsForRestoring)
{
    document.Model().Randomize();
    Import(TwoRecords);
    document.SetLearningSettings(KeepingEvery(10));
    std::vector<uint64_t> errors;
    std::vector<std::vector<uint8_t>> weights;
    for (int pass = 1; pass <= 360; ++pass) {
        document.TrainPass();
        EXPECT_EQ(document.LastPassEvaluated(), pass % 10 == 0) << pass;
        // Starting evaluated the network as training found it.
        if (pass == 1) {
            EXPECT_EQ(document.GetBestNetwork().GetPasses(), 0u);
        }
        if (document.LastPassEvaluated()) {
            errors.push_back(document.GetLastEvaluation()->squaredLevelErrors);
            weights.push_back(WeightsOf(document.Model().GetNet()));
        }
    }
    ASSERT_EQ(errors.size(), 36u);
    const auto at = static_cast<size_t>(std::min_element(errors.begin(), errors.end()) - errors.begin());
    // The run is worth checking: the best is neither where training started nor where it stopped.
    ASSERT_LT(errors[at], errors.front());
    ASSERT_NE(at, errors.size() - 1);
    const BestNetwork& best = document.GetBestNetwork();
    EXPECT_EQ(best.GetPasses(), 10 * (at + 1));
    EXPECT_EQ(best.GetEvaluation().squaredLevelErrors, errors[at]);
    EXPECT_TRUE(best.GetEvaluation().classFigures.has_value());

    document.SetModifiedFlag(false);
    hints.clear();
    ASSERT_TRUE(document.CanRestoreBestNetwork());
    ASSERT_TRUE(document.RestoreBestNetwork());
    EXPECT_EQ(WeightsOf(document.Model().GetNet()), weights[at]);
    EXPECT_FALSE(document.CanRestoreBestNetwork());
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::All});
    EXPECT_EQ(document.GetPassesCount(), 360u);

    // Randomizing gives other weights: the kept ones no longer belong to the network.
    document.Model().Randomize();
    EXPECT_FALSE(document.GetBestNetwork().HasBest());
    EXPECT_FALSE(document.RestoreBestNetwork());
}

// A validation file that cannot be read is shown once and training goes on; a readable one gives
// kept weights, which a change of rounding keeps and a change of what is evaluated forgets.
TEST_F(DocumentTest, KeptWeightsFollowTheValidationAndTheInterval)
{
    Import(TwoRecords);
    document.SetLearningSettings(KeepingEvery(10, folder.Path("missing.dat")));
    for (int pass = 0; pass < 30; ++pass)
        document.TrainPass();
    ASSERT_EQ(scripted.stopMessages.size(), 1u);
    EXPECT_NE(scripted.stopMessages[0].find("missing.dat cannot be read"), std::string::npos);
    EXPECT_EQ(document.GetPassesCount(), 30u);
    EXPECT_FALSE(document.GetBestNetwork().HasBest());

    LearningSettings settings = KeepingEvery(10, DataFile("valid.dat", TwoRecords));
    document.SetLearningSettings(settings);
    document.TrainPass();
    EXPECT_EQ(scripted.stopMessages.size(), 1u);
    ASSERT_TRUE(document.GetBestNetwork().HasBest());
    settings.rounding = Rounding::Classic;
    document.SetLearningSettings(settings);
    EXPECT_TRUE(document.GetBestNetwork().HasBest());
    EXPECT_EQ(document.GetEvaluationInterval(), 10u);
    settings.keepBest.every = 20;
    document.SetLearningSettings(settings);
    EXPECT_FALSE(document.GetBestNetwork().HasBest());
    EXPECT_EQ(document.GetEvaluationInterval(), 0u);
    document.TrainPass();
    EXPECT_EQ(document.GetEvaluationInterval(), 20u);
}

TEST_F(DocumentTest, EvaluationRefusalsNameTheirCause)
{
    EXPECT_FALSE(document.EvaluatePatterns(0));
    EXPECT_FALSE(document.EvaluateFile(folder.Path("missing.dat"), 0));
    EXPECT_FALSE(document.EvaluateFile(DataFile("records.dat", TwoRecords), 3));
    ASSERT_EQ(scripted.stopMessages.size(), 3u);
    EXPECT_EQ(scripted.stopMessages[0], "The network has no training patterns to evaluate on.");
    EXPECT_NE(scripted.stopMessages[1].find("cannot be read"), std::string::npos);
    EXPECT_EQ(scripted.stopMessages[2], "A network of 2 outputs cannot stand for 3 classes.");

    EXPECT_EQ(document.EvaluateFile(DataFile("records.dat", TwoRecords), 2).value().records, 2u);
    EXPECT_FALSE(document.IsModified());
}

// A functional check of precise rounding on real data: a seeded run on the iris training file
// classifies its own records well.
TEST(PreciseRoundingOnIris, ReachesATrainingAccuracyOfAtLeastNinetyPercent)
{
    NetworkModel model;
    model.Reshape(3, 4, 3);
    model.Random().Seed(7);
    model.Randomize();
    const RawRecords records = ReadRawRecords(CORVINA_TEST_DATA "/../../../examples/iris/iris-train.dat", 7);
    ASSERT_EQ(records.GetRecordCount(), 105u);
    model.ImportRecords(records, true);
    LearningSettings settings;
    settings.rounding = Rounding::Precise;
    model.SetSettings(settings);
    for (int pass = 0; pass < 100000; ++pass)
        model.TrainPass();
    const Evaluation evaluation = model.EvaluatePatterns(3);
    EXPECT_GE(evaluation.classFigures->accuracy, 0.9);
    EXPECT_LT(model.GetAverageError(), 10922);
    // The 100 000 passes filled the error ring once round; restoring the statistics fills it anew.
    model.RestoreStatistics(0, 7);
    EXPECT_EQ(model.GetErrorHistory().GetEntry(0), 7);
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
