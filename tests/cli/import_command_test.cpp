#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/cli/network_files.h"

namespace {

// A network of 5 layers, 2 inputs and 1 output: records of 3 numbers.
class ImportCommandTest : public CliTest {
protected:
    void SetUp() override { RunOk({"new", net, "--inputs", "2", "--outputs", "1"}); }

    std::string Import(const std::string& data, const std::vector<std::string>& options = {})
    {
        WriteFile(dataPath, data);
        std::vector<std::string> args = {"import", net, dataPath};
        args.insert(args.end(), options.begin(), options.end());
        return RunOk(args);
    }

    const std::string net = Path("net.cvn");
    const std::string dataPath = Path("data.txt");
};

TEST_F(ImportCommandTest, CompleteRecordsBecomePatterns)
{
    struct Case {
        std::string data;
        int patterns;
    };
    const std::vector<Case> cases = {
        {"1 2 3 4 5 6\n", 2},
        {"1\n2\n3\n4\n5\n6\n", 2},
        {"1 2 3 4 5 6", 2},
        {"1 2 3 4 5 6 7", 2},
        {"1 2 3 4 5 6 7 8\n", 2},
        {"  1\t2 3\r\n4 5 6\r\n7 8 9\r\n", 3},
        {"1 2 3 4 5 6 x 7 8 9", 2},
        {"-1.5 .5 5. 1e2 +2 -3E-1", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        const std::string out = Import(c.data);
        EXPECT_NE(out.find("Imported " + std::to_string(c.patterns) + " training patterns"), std::string::npos) << out;
        EXPECT_EQ(std::filesystem::file_size(net), NetworkFileLength(5, 2, 1, c.patterns));
        const std::vector<std::string> lines = Lines(RunOk({"info", net}));
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[3], "Training data available");
        EXPECT_EQ(lines[4], "Training patterns count " + std::to_string(c.patterns));
        EXPECT_EQ(lines[6], "Produced passes count 0");
        EXPECT_EQ(lines[7], "Averrage error 10922 (10922 is statical value)");
    }
}

TEST_F(ImportCommandTest, DataWithoutACompleteRecordIsRefusedAndTheNetworkKept)
{
    Import("1 2 3 4 5 6 7 8 9");
    const std::string before = ReadFile(net);
    std::filesystem::create_directory(Path("a-directory"));
    struct Case {
        std::string path;
        std::string data;  // written to path unless path is not dataPath
        std::string message;
    };
    const std::vector<Case> cases = {
        {dataPath, "1 2 x 4 5 6", "holds no complete record of 3 numbers"},
        {dataPath, "", "holds no complete record of 3 numbers"},
        {dataPath, "1 2", "holds no complete record of 3 numbers"},
        {dataPath, "nan 1 2 3 4 5", "holds no complete record of 3 numbers"},
        {Path("missing.txt"), "", "No such file or directory"},
        {Path("a-directory"), "", "Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " '" + c.data + "'");
        if (c.path == dataPath)
            WriteFile(dataPath, c.data);
        const std::vector<std::string> filesBefore = Files();
        const CliResult result = Run({"import", net, c.path});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(net + " was left as it was"), std::string::npos) << result.err;
        EXPECT_EQ(ReadFile(net), before);
        EXPECT_EQ(Files(), filesBefore);
    }
}

TEST_F(ImportCommandTest, AnImportReplacesThePatternsAndResetsTraining)
{
    Import("1 2 3 4 5 6 7 8 9");
    RunOk({"train", net, "--passes", "10", "--seed", "1"});
    Import("9 8 7 6 5 4");
    const std::vector<std::string> lines = Lines(RunOk({"info", net}));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[4], "Training patterns count 2");
    EXPECT_EQ(lines[6], "Produced passes count 0");
    EXPECT_EQ(lines[7], "Averrage error 10922 (10922 is statical value)");
}

TEST_F(ImportCommandTest, TablesAreRebuiltFromTheDataUnlessKept)
{
    const std::string identity = TableBytes(ReadFile(net), 5, 2, 1);
    const std::string data = "10 20 30 40 50 60";

    const std::string kept = Import(data, {"--keep-tables"});
    EXPECT_NE(kept.find("transformation tables kept"), std::string::npos) << kept;
    EXPECT_EQ(TableBytes(ReadFile(net), 5, 2, 1), identity);
    // Through identity tables every output is a level.
    const std::string identityAnswer = RunOk({"consult", net, "--values", "10,40"});
    std::smatch level;
    ASSERT_TRUE(std::regex_match(identityAnswer, level, std::regex("Output # 0, - \t(\\d+)\\.000000\n")))
        << identityAnswer;
    EXPECT_LE(std::stoi(level[1]), 255);

    const std::string rebuilt = Import(data);
    EXPECT_NE(rebuilt.find("transformation tables rebuilt"), std::string::npos) << rebuilt;
    EXPECT_NE(TableBytes(ReadFile(net), 5, 2, 1), identity);
    // Built from two records, the output table holds only the two target values.
    const std::string answer = RunOk({"consult", net, "--values", "10,40"});
    EXPECT_TRUE(answer == "Output # 0, - \t30.000000\n" || answer == "Output # 0, - \t60.000000\n") << answer;
}

}  // namespace
