#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/cli/network_files.h"

namespace {

TEST_F(CliTest, ANewDefaultNetworkReportsTheEightLines)
{
    const std::string net = Path("net.cvn");
    const std::string created = RunOk({"new", net});
    EXPECT_NE(created.find("5 layers, 4 inputs, 2 outputs, 22 neurons"), std::string::npos) << created;
    EXPECT_EQ(std::filesystem::file_size(net), NetworkFileLength(5, 4, 2));
    EXPECT_EQ(std::filesystem::file_size(net), 12400u);

    EXPECT_EQ(Lines(RunOk({"info", net})), (std::vector<std::string>{
                                              "Discrete NeuralNetwoks by Velmora",
                                              "Layers count 5, TotalNeurons 22",
                                              "Input count 4, Output cout 2",
                                              "Training data not available",
                                              "Training patterns count 0",
                                              "Training process",
                                              "Produced passes count 0",
                                              "Averrage error 10922 (10922 is statical value)",
                                          }));
    EXPECT_EQ(Files(), std::vector<std::string>{"net.cvn"});
}

TEST_F(CliTest, NewBuildsEveryShapeTheDialogAccepts)
{
    struct Case {
        int32_t layers, inputs, outputs;
    };
    // The edges of the ratio window floor(n / 3) < m < 3n.
    const std::vector<Case> cases = {{1, 1, 1}, {1, 1, 2}, {2, 2, 1}, {2, 2, 5}, {3, 3, 2}, {3, 3, 8},
                                     {7, 4, 11}, {1, 9, 4}, {5, 4, 2}};
    for (const Case& c : cases) {
        const std::string shape =
            std::to_string(c.layers) + "," + std::to_string(c.inputs) + "," + std::to_string(c.outputs);
        SCOPED_TRACE(shape);
        const std::string net = Path(shape + ".cvn");
        RunOk({"new", net, "--layers", std::to_string(c.layers), "--inputs=" + std::to_string(c.inputs),
               "--outputs", std::to_string(c.outputs)});
        EXPECT_EQ(std::filesystem::file_size(net), NetworkFileLength(c.layers, c.inputs, c.outputs));
        const std::vector<std::string> lines = Lines(RunOk({"info", net}));
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[1], "Layers count " + std::to_string(c.layers) + ", TotalNeurons " +
                                std::to_string(c.layers * c.inputs + c.outputs));
        EXPECT_EQ(lines[2], "Input count " + std::to_string(c.inputs) + ", Output cout " + std::to_string(c.outputs));
        EXPECT_EQ(lines[7], "Averrage error 10922 (10922 is statical value)");
    }
}

TEST_F(CliTest, NewRefusesShapesWithTheDialogsMessages)
{
    const std::string range = "Please enter an integer between 1 and 100000.";
    const std::string notUnsigned = "Please enter an unsigned integer.";
    struct Case {
        std::vector<std::string> options;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"--outputs", "1"}, "Error occured. If Input Count = 4, then OutputCount must be between 1 & 12."},
        {{"--outputs", "12"}, "Error occured. If Input Count = 4, then OutputCount must be between 1 & 12."},
        {{"--inputs", "3", "--outputs", "9"}, "Error occured. If Input Count = 3, then OutputCount must be between 1 & 9."},
        {{"--inputs", "1", "--outputs", "3"}, "Error occured. If Input Count = 1, then OutputCount must be between 0 & 3."},
        {{"--outputs", "0"}, "--outputs '0': " + range},
        {{"--layers", "0"}, "--layers '0': " + range},
        {{"--inputs", "100001"}, "--inputs '100001': " + range},
        {{"--layers", "99999999999999999999"}, "--layers '99999999999999999999': " + range},
        {{"--layers", "abc"}, "--layers 'abc': " + notUnsigned},
        {{"--inputs", "-3"}, "--inputs '-3': " + notUnsigned},
        {{"--outputs", ""}, "--outputs '': " + notUnsigned},
        {{"--inputs", "2.5"}, "--inputs '2.5': " + notUnsigned},
        // The dialog reads inputs, then outputs, then layers: the first refused field speaks.
        {{"--layers", "0", "--outputs", "x"}, "--outputs 'x': " + notUnsigned},
        // The range is checked before the ratio.
        {{"--inputs", "4", "--outputs", "0"}, "--outputs '0': " + range},
        {{"--seed", "-1"}, "--seed: '-1' is not an unsigned integer below 2^64"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.options));
        std::vector<std::string> args = {"new", Path("refused.cvn")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliResult result = Run(args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "corvina-cli: " + c.message + "\n");
    }
    EXPECT_TRUE(Files().empty());
}

TEST_F(CliTest, NewRefusesAShapeTooLargeToBuild)
{
    const CliResult result =
        Run({"new", Path("huge.cvn"), "--layers", "100000", "--inputs", "100000", "--outputs", "100000"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("The network is too large"), std::string::npos) << result.err;
    EXPECT_TRUE(Files().empty());
}

TEST_F(CliTest, RandomizedWeightsFollowTheSeed)
{
    RunOk({"new", Path("zero.cvn")});
    RunOk({"new", Path("a.cvn"), "--randomize", "--seed", "17"});
    RunOk({"new", Path("b.cvn"), "--randomize", "--seed", "17"});
    RunOk({"new", Path("c.cvn"), "--randomize", "--seed", "18"});
    // The seed alone changes nothing: only --randomize draws weights.
    RunOk({"new", Path("seeded-zero.cvn"), "--seed", "17"});

    const std::string zero = ReadFile(Path("zero.cvn"));
    const std::string a = ReadFile(Path("a.cvn"));
    EXPECT_EQ(a, ReadFile(Path("b.cvn")));
    EXPECT_NE(a, ReadFile(Path("c.cvn")));
    EXPECT_EQ(zero, ReadFile(Path("seeded-zero.cvn")));

    // 22 neurons of 4 weights from offset 12; everything else is as in a new network.
    const size_t weights = 12 + 4 * 22;
    EXPECT_EQ(zero.substr(12, 88), std::string(88, '\0'));
    EXPECT_NE(a.substr(12, 88), zero.substr(12, 88));
    EXPECT_EQ(a.substr(0, 12), zero.substr(0, 12));
    EXPECT_EQ(a.substr(weights), zero.substr(weights));
}

TEST_F(CliTest, NewReplacesAnExistingFileOnlyWhenForced)
{
    const std::string net = Path("net.cvn");
    WriteFile(net, "precious");
    const CliResult refused = Run({"new", net});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("already exists"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadFile(net), "precious");

    RunOk({"new", net, "--force"});
    EXPECT_EQ(std::filesystem::file_size(net), 12400u);
    EXPECT_EQ(Files(), std::vector<std::string>{"net.cvn"});
}

}  // namespace
