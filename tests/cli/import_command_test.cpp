#include "tests/cli/cli_fixture.h"

namespace {

// A network of 5 layers, 2 inputs and 1 output: records of 3 numbers.
class ImportCommandTest : public CliTest {
protected:
    void SetUp() override { RunOk({"new", net, "--inputs", "2", "--outputs", "1"}); }

    std::string Import(const std::string& data, const std::vector<std::string>& options = {})
    {
        WriteFile(Path("data.txt"), data);
        std::vector<std::string> args = {"import", net, Path("data.txt")};
        args.insert(args.end(), options.begin(), options.end());
        return RunOk(args);
    }

    // The transformation tables: 256 doubles per column after the counts and the weights.
    std::string Tables() { return ReadFile(net).substr(12 + 4 * 11, 2048 * 3); }

    const std::string net = Path("net.cvn");
};

TEST_F(ImportCommandTest, CompleteRecordsBecomePatternsAndTrainingStartsAgain)
{
    Import("1 2 3 4 5 6 7 8 9");
    RunOk({"train", net, "--passes", "10", "--seed", "1"});
    EXPECT_NE(Import("9 8 7\r\n6 5 4 3").find("Imported 2 training patterns"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(net), NetworkFileLength(5, 2, 1, 2));
    const std::vector<std::string> lines = Info(net);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[3], "Training data available");
    EXPECT_EQ(lines[4], "Training patterns count 2");
    EXPECT_EQ(lines[6], "Produced passes count 0");
    EXPECT_EQ(lines[7], "Averrage error 10922 (10922 is statical value)");
}

TEST_F(ImportCommandTest, DataWithoutACompleteRecordIsRefusedAndTheNetworkKept)
{
    Import("1 2 3 4 5 6 7 8 9");
    const std::string before = ReadFile(net);
    std::filesystem::create_directory(Path("a-directory"));
    for (const auto& [path, message] : std::vector<std::pair<std::string, std::string>>{
             {Path("data.txt"), "holds no complete record of 3 numbers"},
             {Path("missing.txt"), "No such file or directory"},
             {Path("a-directory"), "Is a directory"}}) {
        SCOPED_TRACE(path);
        WriteFile(Path("data.txt"), "1 2 x 4 5 6");
        const std::vector<std::string> filesBefore = Files();
        EXPECT_NE(RunRefused({"import", net, path}, message).err.find(net + " was left as it was"), std::string::npos);
        EXPECT_EQ(ReadFile(net), before);
        EXPECT_EQ(Files(), filesBefore);
    }
}

TEST_F(ImportCommandTest, TablesAreRebuiltFromTheDataUnlessKept)
{
    const std::string identity = Tables();
    const std::string data = "10 20 30 40 50 60";
    EXPECT_NE(Import(data, {"--keep-tables"}).find("transformation tables kept"), std::string::npos);
    EXPECT_EQ(Tables(), identity);
    EXPECT_NE(Import(data).find("transformation tables rebuilt"), std::string::npos);
    EXPECT_NE(Tables(), identity);
    // Built from two records, the output table holds only the two target values.
    const std::string rebuilt = RunOk({"consult", net, "--values", "10,40"});
    EXPECT_TRUE(rebuilt == "Output # 0, - \t30.000000\n" || rebuilt == "Output # 0, - \t60.000000\n") << rebuilt;
}

}  // namespace
