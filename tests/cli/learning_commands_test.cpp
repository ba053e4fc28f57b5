// The learning options of new and train, evaluate, keep-best and the training log, end to end.
#include <regex>

#include "tests/cli/cli_fixture.h"

namespace {

// Three classes, one-hot on 3 outputs, from 2 inputs: six records, two of each class.
constexpr const char* ClassData = "10 10 1 0 0\n12 14 1 0 0\n50 50 0 1 0\n55 52 0 1 0\n90 95 0 0 1\n96 90 0 0 1\n";

class LearningCommandsTest : public CliTest {
protected:
    void SetUp() override
    {
        RunOk({"new", "@net.cvn", "--layers", "2", "--inputs", "2", "--outputs", "3", "--randomize", "--seed", "5"});
        Write("data.txt", ClassData);
        RunOk({"import", "@net.cvn", "@data.txt"});
    }

    // The value of a key of evaluate's one-line JSON object.
    static double JsonNumber(const std::string& json, const std::string& key)
    {
        const size_t at = json.find("\"" + key + "\": ");
        EXPECT_NE(at, std::string::npos) << key;
        return std::stod(json.substr(at + key.size() + 4));
    }
};

TEST_F(LearningCommandsTest, TheRoundingIsStoredAfterThePlainLayoutAndChangesTheTraining)
{
    const std::string plain = Read("net.cvn");
    RunOk({"new", "@precise.cvn", "--rounding", "precise"});
    RunOk({"new", "@classic.cvn", "--rounding=classic"});
    EXPECT_EQ(Read("classic.cvn").size(), 12400u);
    EXPECT_EQ(Read("precise.cvn"), Read("classic.cvn") + std::string("CvnS\x07\0\0\0\x01\0\x01\0\0\0\x01", 15));
    EXPECT_EQ(Info(Path("precise.cvn")).back(), "Rounding: precise");

    // Training with another rounding stores it and trains otherwise.
    RunOk({"train", "@net.cvn", "--passes", "2000", "--seed", "9", "--rounding", "classic", "--output", "@c.cvn"});
    RunOk({"train", "@net.cvn", "--passes", "2000", "--seed", "9", "--rounding", "precise", "--output", "@p.cvn"});
    EXPECT_EQ(Read("p.cvn").size(), plain.size() + 15);
    EXPECT_NE(Read("p.cvn").substr(0, plain.size()), Read("c.cvn"));
    // Back to classic, the file is the plain layout.
    RunOk({"train", "@p.cvn", "--passes", "10", "--seed", "1", "--rounding", "classic"});
    EXPECT_EQ(Read("p.cvn").size(), plain.size());
}

TEST_F(LearningCommandsTest, EvaluatePrintsATableOrJsonAndChangesNothing)
{
    const std::string before = Read("net.cvn");
    // The report's own layout is checked where it is made; here, the options that choose it.
    const std::string json = RunOk({"evaluate", "@net.cvn", "@data.txt", "--classes", "3", "--json"});
    EXPECT_EQ(json.rfind("{\"records\": 6, ", 0), 0u) << json;
    EXPECT_NE(json.find("\"confusion\": [["), std::string::npos) << json;
    const std::string table = RunOk({"evaluate", "@net.cvn", "@data.txt"});
    EXPECT_EQ(table.rfind("Records evaluated: 6\n", 0), 0u) << table;
    EXPECT_EQ(table.find("Accuracy"), std::string::npos);
    EXPECT_EQ(Read("net.cvn"), before);
}

TEST_F(LearningCommandsTest, KeepBestSavesTheBestEvaluationAndTheLogHasARowEveryKPasses)
{
    const std::string out = RunOk({"train", "@net.cvn", "--passes", "3000", "--seed", "2", "--rounding", "precise",
                                   "--keep-best", "--every", "100", "--classes", "3", "--log", "@run.csv"});
    std::smatch best;
    ASSERT_TRUE(std::regex_search(out, best,
                                  std::regex("Saved the best network, reached at pass ([0-9]+): evaluation error "
                                             "([0-9.e+]+), accuracy ([0-9.]+) on the training patterns\n")))
        << out;
    EXPECT_NE(out.find("Wrote 31 rows, one every 100 passes, to " + Path("run.csv") + "\n"), std::string::npos);

    // The saved weights are the best: evaluated again, they give the figures announced, and the
    // log holds the pass they were reached at.
    const std::string json = RunOk({"evaluate", "@net.cvn", "@data.txt", "--json"});
    // The message prints six significant digits.
    const double shownError = std::stod(best[2]);
    EXPECT_NEAR(JsonNumber(json, "level_error"), shownError, shownError * 1e-5);
    EXPECT_NEAR(JsonNumber(json, "accuracy"), std::stod(best[3]), 1e-5);
    const std::vector<std::string> rows = Lines(Read("run.csv"));
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_EQ(rows[0], "passes,average_error,evaluation_error,accuracy");
    EXPECT_EQ(rows[31].rfind("3000,", 0), 0u);
    EXPECT_EQ(rows[std::stoul(best[1].str()) / 100 + 1].rfind(best[1].str() + ",", 0), 0u);
    // The settings were stored: info shows them, and the next run keeps the best again.
    const std::vector<std::string> info = Info(Path("net.cvn"));
    EXPECT_EQ(std::vector<std::string>(info.begin() + 8, info.end()),
              (std::vector<std::string>{"Rounding: precise", "Keep best: evaluated on the training patterns every 100 passes",
                                        "Classes: 3"}));
    EXPECT_NE(RunOk({"train", "@net.cvn", "--passes", "10", "--seed", "2"}).find("Saved the best network"),
              std::string::npos);
    EXPECT_EQ(RunOk({"train", "@net.cvn", "--passes", "10", "--seed", "2", "--no-keep-best"}).find("best"),
              std::string::npos);
}

// Training that ends between two evaluations still offers its last weights, as it offered those it
// started from: the network saved is the better of the two.
TEST_F(LearningCommandsTest, KeepBestWeighsTheFirstAndTheLastWeightsToo)
{
    const double first = JsonNumber(RunOk({"evaluate", "@net.cvn", "@data.txt", "--json"}), "level_error");
    RunOk({"train", "@net.cvn", "--passes", "250", "--seed", "4", "--rounding", "precise", "--output", "@last.cvn"});
    const double last = JsonNumber(RunOk({"evaluate", "@last.cvn", "@data.txt", "--json"}), "level_error");
    ASSERT_NE(first, last);
    const std::string out = RunOk({"train", "@net.cvn", "--passes", "250", "--seed", "4", "--rounding", "precise",
                                   "--keep-best", "--every", "1000", "--output", "@best.cvn"});
    EXPECT_NE(out.find(std::string("reached at pass ") + (last < first ? "250" : "0") + ": "), std::string::npos) << out;
    EXPECT_EQ(JsonNumber(RunOk({"evaluate", "@best.cvn", "@data.txt", "--json"}), "level_error"), std::min(first, last));
}

TEST_F(LearningCommandsTest, ALogWithoutEvaluationHoldsThePassesAndTheAverageError)
{
    Write("held-out.txt", ClassData);
    RunOk({"train", "@net.cvn", "--passes", "50", "--seed", "2", "--every", "20", "--log", "@plain.csv"});
    EXPECT_TRUE(std::regex_match(Read("plain.csv"), std::regex("passes,average_error\n0,10922\n20,[0-9.e+-]+\n40,[0-9.e+-]+\n")))
        << Read("plain.csv");
    // A validation file makes the log evaluate without keeping the best.
    const std::string out = RunOk({"train", "@net.cvn", "--passes", "40", "--seed", "2", "--every", "20",
                                   "--validate", "@held-out.txt", "--log", "@validated.csv"});
    EXPECT_EQ(out.find("best"), std::string::npos);
    EXPECT_TRUE(std::regex_match(Read("validated.csv"), std::regex("passes,average_error,evaluation_error\n(.+\n){2}")));
}

}  // namespace
