#include <regex>

#include "tests/cli/cli_fixture.h"

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

    const std::string net = Path("net.cvn");
};

TEST_F(TrainCommandTest, TrainingCountsPassesSavesAndReportsTheAverage)
{
    const std::vector<std::string> out = Lines(RunOk({"train", net, "--passes", "50", "--seed", "1"}));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], "Trained 50 passes; saved " + net);
    EXPECT_EQ(out[1], "Produced passes count 50");
    EXPECT_TRUE(std::regex_match(out[2], std::regex(R"(Averrage error \d+ \(10922 is statical value\))"))) << out[2];
    const std::vector<std::string> info = Info(net);
    EXPECT_EQ(std::vector<std::string>(info.begin() + 6, info.end()), (std::vector<std::string>{out[1], out[2]}));
    EXPECT_EQ(std::filesystem::file_size(net), NetworkFileLength(5, 4, 2, 4));

    // Passes go on from the count the file holds.
    EXPECT_EQ(Lines(RunOk({"train", net, "--passes=25"})).at(1), "Produced passes count 75");
    EXPECT_EQ(Info(net).at(6), "Produced passes count 75");
}

TEST_F(TrainCommandTest, OutputLeavesTheNetworkAloneAndTheSeedMakesRunsRepeatable)
{
    const std::string before = ReadFile(net);
    for (const std::string name : {"a.cvn", "b.cvn"})
        RunOk({"train", net, "--passes", "200", "--seed", "9", "--output", Path(name)});
    EXPECT_EQ(ReadFile(net), before);
    const std::string trained = ReadFile(Path("a.cvn"));
    EXPECT_EQ(trained, ReadFile(Path("b.cvn")));
    EXPECT_NE(trained, before);
    EXPECT_EQ(Info(Path("a.cvn")).at(6), "Produced passes count 200");
    // The tables and the patterns travel with the trained network.
    EXPECT_EQ(trained.substr(100, 2048 * 6 + 4 + 4 * 6), before.substr(100, 2048 * 6 + 4 + 4 * 6));
}

TEST_F(TrainCommandTest, AProgressBarIsDrawnOnlyWhenAsked)
{
    EXPECT_EQ(Run({"train", net, "--passes", "20", "--seed", "1"}).err, "");
    const CliResult shown = Run({"train", net, "--passes", "20", "--seed", "1"}, true);
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.err.rfind("\r[", 0), 0u) << shown.err;
    EXPECT_NE(shown.err.find("100% 20/20\n"), std::string::npos) << shown.err;
    EXPECT_EQ(shown.out.find('\r'), std::string::npos) << "the bar stays off standard output";
}

TEST_F(TrainCommandTest, RefusedRunsWriteNothing)
{
    RunOk({"new", Path("empty.cvn")});
    const std::string netBefore = ReadFile(net);
    const std::string emptyBefore = ReadFile(Path("empty.cvn"));
    const std::vector<std::string> filesBefore = Files();
    const std::string unwritable = Path("missing-directory/out.cvn");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{Path("empty.cvn"), "--passes", "5", "--output", Path("out.cvn")}, Path("empty.cvn") + " has no training patterns"},
        {{net, "--passes", "0"}, "--passes: '0' is not a whole number of passes above 0"},
        {{net, "--passes", "ten"}, "--passes: 'ten' is not a whole number of passes above 0"},
        {{net, "--passes", "-1"}, "--passes: '-1' is not a whole number of passes above 0"},  // a value, not an option
        {{net, "--passes", "5", "--seed", "x"}, "--seed: 'x' is not an unsigned integer below 2^64"},
        {{net, "--passes", "5", "--output", unwritable}, unwritable},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        std::vector<std::string> command = {"train"};
        command.insert(command.end(), args.begin(), args.end());
        RunRefused(command, message);
    }
    EXPECT_EQ(ReadFile(net), netBefore);
    EXPECT_EQ(ReadFile(Path("empty.cvn")), emptyBefore);
    EXPECT_EQ(Files(), filesBefore);
}

}  // namespace
