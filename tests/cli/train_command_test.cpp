#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/cli/network_files.h"

namespace {

// A default network with four training patterns.
class TrainCommandTest : public CliTest {
protected:
    void SetUp() override
    {
        RunOk({"new", net, "--randomize", "--seed", "3"});
        WriteFile(Path("data.txt"), "0 0 0 0 0 0\n1 1 1 1 9 9\n2 4 6 8 1 3\n5 5 5 5 7 0\n");
        RunOk({"import", net, Path("data.txt")});
    }

    // The last two report lines as info prints them.
    std::vector<std::string> Progress(const std::string& path)
    {
        const std::vector<std::string> lines = Lines(RunOk({"info", path}));
        return {lines.at(6), lines.at(7)};
    }

    const std::string net = Path("net.cvn");
};

TEST_F(TrainCommandTest, TrainingCountsPassesSavesAndReportsTheAverage)
{
    const std::vector<std::string> out = Lines(RunOk({"train", net, "--passes", "50", "--seed", "1"}));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], "Trained 50 passes; saved " + net);
    EXPECT_EQ(out[1], "Produced passes count 50");
    EXPECT_TRUE(std::regex_match(out[2], std::regex(R"(Averrage error \d+ \(10922 is statical value\))"))) << out[2];
    EXPECT_EQ(Progress(net), (std::vector<std::string>{out[1], out[2]}));
    EXPECT_EQ(std::filesystem::file_size(net), NetworkFileLength(5, 4, 2, 4));

    // Passes go on from the count the file holds.
    const std::vector<std::string> again = Lines(RunOk({"train", net, "--passes=25"}));
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(again[1], "Produced passes count 75");
    EXPECT_EQ(Progress(net)[0], "Produced passes count 75");
}

TEST_F(TrainCommandTest, OutputLeavesTheNetworkAloneAndTheSeedMakesRunsRepeatable)
{
    const std::string before = ReadFile(net);
    RunOk({"train", net, "--passes", "200", "--seed", "9", "--output", Path("a.cvn")});
    RunOk({"train", net, "--passes", "200", "--seed", "9", "--output", Path("b.cvn")});
    EXPECT_EQ(ReadFile(net), before);
    EXPECT_EQ(ReadFile(Path("a.cvn")), ReadFile(Path("b.cvn")));
    EXPECT_NE(ReadFile(Path("a.cvn")), before);
    EXPECT_EQ(Progress(Path("a.cvn"))[0], "Produced passes count 200");
    // The patterns and the tables travel with the trained network.
    EXPECT_EQ(ReadFile(Path("a.cvn")).substr(100, 2048 * 6 + 4 + 4 * 6), before.substr(100, 2048 * 6 + 4 + 4 * 6));
}

TEST_F(TrainCommandTest, AProgressBarIsDrawnOnlyWhenAsked)
{
    const CliResult quiet = Run({"train", net, "--passes", "20", "--seed", "1"});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.err, "");

    const CliResult shown = Run({"train", net, "--passes", "20", "--seed", "1"}, true);
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.err.rfind("\r[", 0), 0u) << shown.err;
    EXPECT_NE(shown.err.find("100% 20/20\n"), std::string::npos) << shown.err;
    EXPECT_EQ(shown.out.find('\r'), std::string::npos) << "the bar stays off standard output";
}

TEST_F(TrainCommandTest, RefusedRunsWriteNothing)
{
    RunOk({"new", Path("empty.cvn")});
    const std::string unwritable = Path("missing-directory/out.cvn");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"train", Path("empty.cvn"), "--passes", "5", "--output", Path("out.cvn")},
         Path("empty.cvn") + " has no training patterns"},
        {{"train", net, "--passes", "0"}, "--passes: '0' is not a whole number of passes above 0"},
        {{"train", net, "--passes", "ten"}, "--passes: 'ten' is not a whole number of passes above 0"},
        {{"train", net, "--passes", "-1"}, "--passes: '-1' is not a whole number of passes above 0"},
        {{"train", net, "--passes", "1.5"}, "--passes: '1.5' is not a whole number of passes above 0"},
        {{"train", net, "--passes", "5", "--seed", "x"}, "--seed: 'x' is not an unsigned integer below 2^64"},
        {{"train", net, "--passes", "5", "--output", unwritable}, unwritable},
    };
    const std::string netBefore = ReadFile(net);
    const std::string emptyBefore = ReadFile(Path("empty.cvn"));
    const std::vector<std::string> filesBefore = Files();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const CliResult result = Run(c.args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.err.rfind("corvina-cli: ", 0), 0u) << result.err;
    }
    EXPECT_EQ(ReadFile(net), netBefore);
    EXPECT_EQ(ReadFile(Path("empty.cvn")), emptyBefore);
    EXPECT_EQ(Files(), filesBefore);
}

}  // namespace
