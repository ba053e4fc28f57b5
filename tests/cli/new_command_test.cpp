#include "tests/cli/cli_fixture.h"

namespace {

TEST_F(CliTest, ANewDefaultNetworkReportsTheEightLines)
{
    const std::string net = Path("net.cvn");
    EXPECT_NE(RunOk({"new", net}).find("5 layers, 4 inputs, 2 outputs, 22 neurons, zero weights"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(net), 12400u);
    EXPECT_EQ(Info(net), (std::vector<std::string>{
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

TEST_F(CliTest, NewBuildsTheShapesAtTheEdgesOfTheRatio)
{
    // floor(inputs / 3) < outputs < 3 * inputs
    const std::vector<std::tuple<int, int, int>> shapes = {{1, 1, 2}, {2, 3, 2}, {3, 3, 8}, {7, 9, 4}};
    for (const auto& [layers, inputs, outputs] : shapes) {
        const std::string net = Path(std::to_string(inputs) + "-" + std::to_string(outputs) + ".cvn");
        SCOPED_TRACE(net);
        RunOk({"new", net, "--layers", std::to_string(layers), "--inputs=" + std::to_string(inputs), "--outputs",
               std::to_string(outputs)});
        EXPECT_EQ(std::filesystem::file_size(net), NetworkFileLength(layers, inputs, outputs));
        const std::vector<std::string> lines = Info(net);
        EXPECT_EQ(lines.at(1), "Layers count " + std::to_string(layers) + ", TotalNeurons " +
                                   std::to_string(layers * inputs + outputs));
        EXPECT_EQ(lines.at(2), "Input count " + std::to_string(inputs) + ", Output cout " + std::to_string(outputs));
    }
}

TEST_F(CliTest, NewRefusesShapesWithTheDialogsMessages)
{
    const std::string range = "Please enter an integer between 1 and 100000.";
    const std::string notUnsigned = "Please enter an unsigned integer.";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--outputs", "1"}, "Error occured. If Input Count = 4, then OutputCount must be between 1 & 12."},
        {{"--outputs", "12"}, "Error occured. If Input Count = 4, then OutputCount must be between 1 & 12."},
        {{"--inputs", "1", "--outputs", "3"}, "Error occured. If Input Count = 1, then OutputCount must be between 0 & 3."},
        {{"--layers", "0"}, "--layers '0': " + range},
        {{"--inputs", "100001"}, "--inputs '100001': " + range},
        {{"--layers", "99999999999999999999"}, "--layers '99999999999999999999': " + range},
        {{"--inputs", "-3"}, "--inputs '-3': " + notUnsigned},
        {{"--inputs", "2.5"}, "--inputs '2.5': " + notUnsigned},
        // Inputs, outputs, layers are read in that order, and each range before the ratio.
        {{"--layers", "0", "--outputs", "x"}, "--outputs 'x': " + notUnsigned},
        {{"--outputs", "0"}, "--outputs '0': " + range},
        {{"--seed", "-1"}, "--seed: '-1' is not an unsigned integer below 2^64"},
    };
    for (const auto& [options, message] : cases) {
        SCOPED_TRACE(testing::PrintToString(options));
        std::vector<std::string> args = {"new", Path("refused.cvn")};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(RunRefused(args, message).err, "corvina-cli: " + message + "\n");
    }
    RunRefused({"new", Path("huge.cvn"), "--layers", "100000", "--inputs", "100000", "--outputs", "100000"},
               "The network is too large");
    RunRefused({"new", Path("missing-directory/net.cvn")}, Path("missing-directory/net.cvn"));
    EXPECT_TRUE(Files().empty());
}

TEST_F(CliTest, RandomizedWeightsFollowTheSeed)
{
    for (const std::string name : {"a", "b", "c"})
        RunOk({"new", Path(name), "--randomize", "--seed", name == "c" ? "18" : "17"});
    RunOk({"new", Path("zero")});
    RunOk({"new", Path("seeded-zero"), "--seed", "17"});  // only --randomize draws weights
    const std::string zero = ReadFile(Path("zero"));
    const std::string a = ReadFile(Path("a"));
    EXPECT_EQ(a, ReadFile(Path("b")));
    EXPECT_NE(a, ReadFile(Path("c")));
    EXPECT_EQ(zero, ReadFile(Path("seeded-zero")));
    // The 22 neurons' 4 weights follow the 12 bytes of counts; the rest is as in a new network.
    EXPECT_EQ(zero.substr(12, 88), std::string(88, '\0'));
    EXPECT_NE(a.substr(12, 88), zero.substr(12, 88));
    EXPECT_EQ(a.substr(0, 12) + a.substr(100), zero.substr(0, 12) + zero.substr(100));
}

TEST_F(CliTest, NewReplacesAnExistingFileOnlyWhenForced)
{
    const std::string net = Path("net.cvn");
    WriteFile(net, "precious");
    RunRefused({"new", net}, "already exists");
    EXPECT_EQ(ReadFile(net), "precious");
    RunOk({"new", net, "--force"});
    EXPECT_EQ(std::filesystem::file_size(net), 12400u);
    EXPECT_EQ(Files(), std::vector<std::string>{"net.cvn"});
}

}  // namespace
