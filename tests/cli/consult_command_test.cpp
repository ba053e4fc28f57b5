#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"

namespace {

// The numbers of a line of text.
std::vector<double> Numbers(const std::string& line)
{
    std::istringstream in(line);
    std::vector<double> numbers;
    double number = 0.0;
    while (in >> number)
        numbers.push_back(number);
    return numbers;
}

// A randomized network of 2 layers, 2 inputs and 3 outputs, so the answers vary with the inputs.
class ConsultCommandTest : public CliTest {
protected:
    void SetUp() override
    {
        RunOk({"new", net, "--layers", "2", "--inputs", "2", "--outputs", "3", "--randomize", "--seed", "11"});
    }

    // The lines OUT holds after a batch over input.
    std::vector<std::string> Batch(const std::string& input)
    {
        WriteFile(Path("in.txt"), input);
        const std::string out = RunOk({"consult", net, Path("in.txt"), Path("out.txt")});
        EXPECT_NE(out.find(Path("out.txt")), std::string::npos);
        return Lines(ReadFile(Path("out.txt")));
    }

    const std::string net = Path("net.cvn");
};

TEST_F(ConsultCommandTest, SingleConsultationPrintsOneReportLinePerOutput)
{
    const std::vector<std::string> lines = Lines(RunOk({"consult", net, "--values", "1.5,-7"}));
    ASSERT_EQ(lines.size(), 3u);
    for (size_t t = 0; t < lines.size(); ++t)
        EXPECT_TRUE(std::regex_match(lines[t], std::regex("Output # " + std::to_string(t) + R"(, - \t\d+\.000000)")))
            << lines[t];
}

TEST_F(ConsultCommandTest, BatchLinesAreTheSingleAnswersRowByRow)
{
    const std::vector<std::vector<std::string>> rows = {{"0", "0"}, {"1.5", "200"}, {"255", "3"}, {"-4", "1e9"}};
    std::string input;
    for (const auto& row : rows)
        input += row[0] + " " + row[1] + "\n";
    const std::vector<std::string> batch = Batch(input);
    ASSERT_EQ(batch.size(), rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE(rows[r][0] + " " + rows[r][1]);
        std::vector<double> single;
        for (const std::string& line : Lines(RunOk({"consult", net, "--values", rows[r][0] + "," + rows[r][1]})))
            single.push_back(std::stod(line.substr(line.find('\t') + 1)));
        EXPECT_EQ(Numbers(batch[r]), single);
        EXPECT_TRUE(std::regex_match(batch[r], std::regex(R"(\S+ \S+ \S+)"))) << "'" << batch[r] << "'";
    }
}

TEST_F(ConsultCommandTest, BatchConsultsEveryCompleteRowAndStopsAtText)
{
    struct Case {
        std::string input;
        size_t lines;
    };
    const std::vector<Case> cases = {
        {"1 2 3 4", 2}, {"1 2 3 4 5", 2}, {"1\n2 3\n4", 2}, {"1 2 x 3 4", 1}, {"", 0}, {"x 1 2", 0}, {"1 2 3 4\n", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.input + "'");
        WriteFile(Path("out.txt"), "old answers that must go\n");
        EXPECT_EQ(Batch(c.input).size(), c.lines);
    }
}

TEST_F(ConsultCommandTest, ConsultingChangesNoNetworkFile)
{
    const std::string before = ReadFile(net);
    RunOk({"consult", net, "--values", "3,4"});
    Batch("1 2 3 4");
    EXPECT_EQ(ReadFile(net), before);
}

TEST_F(ConsultCommandTest, RefusedValuesAreReported)
{
    struct Case {
        std::string values;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"1", "--values: the network has 2 inputs, 1 values were given"},
        {"1,2,3", "--values: the network has 2 inputs, 3 values were given"},
        {"1,x", "--values: 'x' is not a number"},
        {"1,nan", "--values: 'nan' is not a number"},
        {"1,inf", "--values: 'inf' is not a number"},
        {"1,,2", "--values: an empty value in '1,,2'"},
        {"1.5abc,2", "--values: '1.5abc' is not a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values);
        const CliResult result = Run({"consult", net, "--values", c.values});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "corvina-cli: " + c.message + "\n");
    }
}

TEST_F(ConsultCommandTest, RefusedBatchesWriteNothingAndKeepTheInput)
{
    WriteFile(Path("in.txt"), "1 2 3 4\n");
    std::filesystem::create_directory(Path("sub"));
    struct Case {
        std::string input;
        std::string output;
        std::string message;
    };
    const std::vector<Case> cases = {
        {Path("missing.txt"), Path("out.txt"), "No such file or directory"},
        {Path("sub"), Path("out.txt"), "Is a directory"},
        {Path("in.txt"), Path("missing-directory/out.txt"), Path("missing-directory/out.txt")},
        {Path("in.txt"), Path("in.txt"), ""},
        {Path("in.txt"), Path("sub/../in.txt"), ""},
    };
    const std::vector<std::string> filesBefore = Files();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input + " -> " + c.output);
        const CliResult result = Run({"consult", net, c.input, c.output});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("corvina-cli: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(ReadFile(Path("in.txt")), "1 2 3 4\n");
        EXPECT_EQ(Files(), filesBefore);
    }
    std::error_code linkError;
    std::filesystem::create_symlink(Path("in.txt"), Path("link.txt"), linkError);
    ASSERT_FALSE(linkError);
    EXPECT_EQ(Run({"consult", net, Path("in.txt"), Path("link.txt")}).status, 1);
    EXPECT_EQ(ReadFile(Path("in.txt")), "1 2 3 4\n");
}

}  // namespace
