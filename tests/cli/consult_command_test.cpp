#include <regex>

#include "tests/cli/cli_fixture.h"

namespace {

// A randomized network of 2 layers, 2 inputs and 3 outputs, so the answers vary with the inputs.
class ConsultCommandTest : public CliTest {
protected:
    void SetUp() override
    {
        RunOk({"new", net, "--layers", "2", "--inputs", "2", "--outputs", "3", "--randomize", "--seed", "11"});
        WriteFile(Path("in.txt"), "1 2 3 4\n");
    }

    // The answers consult --values prints, one per output.
    std::vector<double> Single(const std::string& values)
    {
        std::vector<double> answers;
        for (const std::string& line : Lines(RunOk({"consult", net, "--values", values}))) {
            EXPECT_TRUE(std::regex_match(line, std::regex(R"(Output # \d, - \t\d+\.000000)"))) << line;
            answers.push_back(std::stod(line.substr(line.find('\t') + 1)));
        }
        return answers;
    }

    const std::string net = Path("net.cvn");
};

TEST_F(ConsultCommandTest, BatchLinesAreTheSingleAnswersRowByRow)
{
    const std::string before = ReadFile(net);
    const std::vector<std::string> rows = {"0 0", "1.5 200", "255 3", "-4 1e9"};
    std::string input;
    for (const std::string& row : rows)
        input += row + "\n";
    WriteFile(Path("in.txt"), input + "1 x\n");
    WriteFile(Path("out.txt"), "old answers that must go\n1\n2\n3\n4\n5\n");
    const CliResult run = Run({"consult", net, Path("in.txt"), Path("out.txt")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Consulted 4 rows of " + Path("in.txt") + "; answers written to " + Path("out.txt") + "\n");
    EXPECT_EQ(run.err, "corvina-cli: 4 rows read from " + Path("in.txt") +
                           "; reading stopped at line 5 at \"x\", which is not a number.\n");

    const std::vector<std::string> batch = Lines(ReadFile(Path("out.txt")));
    ASSERT_EQ(batch.size(), rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE(rows[r]);
        std::string values = rows[r];
        const std::vector<double> single = Single(values.replace(values.find(' '), 1, " , "));
        ASSERT_EQ(single.size(), 3u);
        std::istringstream line(batch[r]);
        for (double expected : single) {
            double answer = -1;
            line >> answer;
            EXPECT_EQ(answer, expected);
        }
        EXPECT_TRUE(line.eof()) << batch[r];
    }
    EXPECT_EQ(ReadFile(net), before) << "consulting saves nothing";
}

TEST_F(ConsultCommandTest, RefusedValuesAreReported)
{
    for (const auto& [values, message] : std::vector<std::pair<std::string, std::string>>{
             {"1", "--values: the network has 2 inputs, 1 values were given"},
             {"1,2,3", "--values: the network has 2 inputs, 3 values were given"},
             {"1,inf", "--values: 'inf' is not a number"},
             {"1,,2", "--values: an empty value in '1,,2'"},
             {"1,", "--values: an empty value in '1,'"}}) {
        SCOPED_TRACE(values);
        EXPECT_EQ(RunRefused({"consult", net, "--values", values}, message).err, "corvina-cli: " + message + "\n");
    }
}

TEST_F(ConsultCommandTest, RefusedBatchesWriteNothingAndKeepTheInput)
{
    std::filesystem::create_directory(Path("sub"));
    std::filesystem::create_symlink(Path("in.txt"), Path("link.txt"));
    const std::vector<std::string> filesBefore = Files();
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {Path("missing.txt"), Path("out.txt"), "No such file or directory"},
        {Path("sub"), Path("out.txt"), "Is a directory"},
        {Path("in.txt"), Path("missing-directory/out.txt"), Path("missing-directory/out.txt")},
        {Path("in.txt"), Path("in.txt"), ""},
        {Path("in.txt"), Path("sub/../in.txt"), ""},
        {Path("in.txt"), Path("link.txt"), ""},
    };
    for (const auto& [input, output, message] : cases) {
        SCOPED_TRACE(input + " -> " + output);
        RunRefused({"consult", net, input, output}, message);
        EXPECT_EQ(ReadFile(Path("in.txt")), "1 2 3 4\n");
        EXPECT_EQ(Files(), filesBefore);
    }
}

}  // namespace
