#include <filesystem>
#include <regex>

#include "engine/random_source.h"
#include "tests/cli/cli_fixture.h"

namespace {

TEST_F(CliTest, NewWritesANetworkAndInfoPrintsTheEightLines)
{
    EXPECT_EQ(RunOk({"new", "@net.cvn"}), "Created " + Path("net.cvn") + ": 5 layers, 4 inputs, 2 outputs, 22 neurons, zero weights\n");
    EXPECT_EQ(Info(Path("net.cvn")),
              (std::vector<std::string>{"Discrete NeuralNetwoks by Velmora", "Layers count 5, TotalNeurons 22",
                                        "Input count 4, Output cout 2", "Training data not available", "Training patterns count 0",
                                        "Training process", "Produced passes count 0",
                                        "Averrage error 10922 (10922 is statical value)"}));
    // The shape's options, in both spellings.
    RunOk({"new", "@edge.cvn", "--layers", "2", "--inputs=3", "--outputs", "8"});
    EXPECT_EQ(Info(Path("edge.cvn")).at(1), "Layers count 2, TotalNeurons 14");
    // Passes beyond 2^31 are shown unsigned; the average comes from the file.
    Write("net.cvn", Read("net.cvn").substr(0, 12392) + std::string("\x00\x5E\xD0\xB2\x39\x30\x00\x00", 8));
    const std::vector<std::string> lines = Info(Path("net.cvn"));
    EXPECT_EQ(std::vector(lines.begin() + 6, lines.end()),
              (std::vector<std::string>{"Produced passes count 3000000000", "Averrage error 12345 (10922 is statical value)"}));
}

TEST_F(CliTest, RandomizedWeightsFollowTheSeedAndForceReplaces)
{
    for (const std::string name : {"a", "b", "c"})
        RunOk({"new", "@" + name, "--randomize", "--seed", name == "c" ? "18" : "17"});
    RunOk({"new", "@zero", "--seed", "17"});  // only --randomize draws weights
    const std::string zero = Read("zero");
    const std::string a = Read("a");
    EXPECT_EQ(a, Read("b"));
    EXPECT_NE(a, Read("c"));
    // The 22 neurons' 4 weights follow the 12 bytes of counts, each the low byte of the seed's
    // next draw; the rest is as in a new network.
    EXPECT_EQ(zero.substr(12, 88), std::string(88, '\0'));
    RandomSource seventeen(17);
    std::string drawn;
    for (int k = 0; k < 88; ++k)
        drawn += static_cast<char>(seventeen.Draw() & 0xFF);
    EXPECT_EQ(a.substr(12, 88), drawn);
    EXPECT_EQ(a.substr(0, 12) + a.substr(100), zero.substr(0, 12) + zero.substr(100));
    RunOk({"new", "@a", "--force"});
    EXPECT_EQ(Read("a"), zero);
}

// A randomized network of 2 inputs and 1 output with three training records.
class TrainingRunTest : public CliTest {
protected:
    void SetUp() override
    {
        RunOk({"new", "@net.cvn", "--layers", "2", "--inputs", "2", "--outputs", "1", "--randomize", "--seed", "3"});
        Write("data.txt", "1 2 3\n40 50 60\n7 8 9.5\n");
    }
};

TEST_F(TrainingRunTest, ImportTrainAndConsult)
{
    // The tables follow the counts and the 5 neurons' weights.
    const auto tables = [this] { return Read("net.cvn").substr(32, 2048 * 3); };
    const std::string identity = tables();
    EXPECT_EQ(RunOk({"import", "@net.cvn", "@data.txt", "--keep-tables"}),
              "Imported 3 training patterns of 3 numbers from " + Path("data.txt") + " into " + Path("net.cvn") +
                  "; transformation tables kept\n");
    EXPECT_EQ(tables(), identity);
    RunOk({"import", "@net.cvn", "@data.txt"});
    EXPECT_NE(tables(), identity);
    const std::vector<std::string> info = Info(Path("net.cvn"));
    EXPECT_EQ(std::vector(info.begin() + 3, info.begin() + 5),
              (std::vector<std::string>{"Training data available", "Training patterns count 3"}));
    // Built from three records, the output table holds only the three target values.
    EXPECT_TRUE(std::regex_match(RunOk({"consult", "@net.cvn", "--values", "1,2"}),
                                 std::regex("Output # 0, - \t(3\\.000000|9\\.500000|60\\.000000)\n")));

    const std::string trained = RunOk({"train", "@net.cvn", "--passes", "50", "--seed", "1"});
    EXPECT_TRUE(std::regex_match(trained, std::regex("Trained 50 passes; saved .*/net.cvn\nProduced passes count 50\n"
                                                     "Averrage error \\d+ \\(10922 is statical value\\)\n")))
        << trained;
    EXPECT_EQ(Info(Path("net.cvn")).at(7) + "\n", trained.substr(trained.rfind("Averrage")));
    EXPECT_EQ(Lines(RunOk({"train", "@net.cvn", "--passes=25"})).at(1), "Produced passes count 75");

    // --output leaves the network alone.
    const std::string before = Read("net.cvn");
    RunOk({"train", "@net.cvn", "--passes", "200", "--seed", "9", "--output", "@a.cvn"});
    EXPECT_EQ(Read("net.cvn"), before);
    EXPECT_NE(Read("a.cvn"), before);
    EXPECT_EQ(Info(Path("a.cvn")).at(6), "Produced passes count 275");
}

TEST_F(TrainingRunTest, BatchConsultAnswersEveryRowAndNotesTheStop)
{
    RunOk({"import", "@net.cvn", "@data.txt"});
    Write("in.txt", "0 0\n1.5 200\n-4 1e9\n1 x\n");
    Write("out.txt", "old answers that must go\n");
    const CliResult run = Run({"consult", "@net.cvn", "@in.txt", "@out.txt"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Consulted 3 rows of " + Path("in.txt") + "; answers written to " + Path("out.txt") + "\n");
    EXPECT_EQ(run.err, "corvina-cli: 3 rows read from " + Path("in.txt") +
                           "; reading stopped at line 4 at \"x\", which is not a number.\n");
    // The rows as the single answers give them; blanks around the values are read alike.
    const std::vector<std::string> batch = Lines(Read("out.txt"));
    ASSERT_EQ(batch.size(), 3u);
    const std::string single = RunOk({"consult", "@net.cvn", "--values", " 1.5 , 200"});
    EXPECT_DOUBLE_EQ(std::stod(single.substr(single.find('\t') + 1)), std::stod(batch[1]));
}

TEST_F(TrainingRunTest, AProgressBarIsDrawnOnlyWhenAsked)
{
    RunOk({"import", "@net.cvn", "@data.txt"});
    EXPECT_EQ(Run({"train", "@net.cvn", "--passes", "20"}).err, "");
    const CliResult shown = Run({"train", "@net.cvn", "--passes", "200"}, true);
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out.find('\r'), std::string::npos) << "the bar stays off standard output";
    // Each whole percentage once, redrawn in place, the bar filling up, and the line ended.
    const std::vector<std::string> frames = Lines(std::regex_replace(shown.err, std::regex("\r"), "\n").substr(1));
    ASSERT_EQ(frames.size(), 101u) << shown.err;
    EXPECT_EQ(frames[0], "[" + std::string(40, ' ') + "]   0% 0/200");
    EXPECT_EQ(frames[100], "[" + std::string(40, '#') + "] 100% 200/200");
    EXPECT_EQ(shown.err.back(), '\n');
}

// A network exported as C: the files are named after the document, or as --name says.
TEST_F(CliTest, ExportWritesHeaderAndSourceNamedAfterTheDocumentOrAsAsked)
{
    RunOk({"new", Path("my-net 2.cvn"), "--layers", "3", "--inputs", "4", "--outputs", "3", "--randomize", "--seed", "5"});
    std::filesystem::create_directory(Path("out"));
    const std::string out = RunOk({"export", Path("my-net 2.cvn"), "--c", Path("out")});
    EXPECT_EQ(Lines(out), (std::vector<std::string>{
                              "Exported " + Path("my-net 2.cvn") + " as " + Path("out/my_net_2.h") + " and " +
                                  Path("out/my_net_2.c"),
                              "Constant data: 15432 bytes; working memory: 15 bytes on the stack",
                          }));

    const std::string named = RunOk({"export", Path("my-net 2.cvn"), "--c", Path("out"), "--name", "Iris", "--float-tables"});
    EXPECT_NE(named.find("out/Iris.c\nConstant data: 8264 bytes"), std::string::npos) << named;
    EXPECT_NE(ReadFile(Path("out/Iris.c")).find("#include \"Iris.h\""), std::string::npos);
}

}  // namespace
