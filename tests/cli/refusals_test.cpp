#include <algorithm>
#include <filesystem>

#include "tests/cli/cli_fixture.h"

namespace {

namespace fs = std::filesystem;

// A folder holding net.cvn (2 inputs, 1 output, two training patterns), empty.cvn (no patterns),
// good.cvn (a new default network), in.txt, a link to it and a sub-folder: a refused command
// leaves every one of them as it was.
class RefusalTest : public CliTest {
protected:
    void SetUp() override
    {
        RunOk({"new", "@net.cvn", "--inputs", "2", "--outputs", "1"});
        Write("data.txt", "1 2 3\n4 5 6\n");
        RunOk({"import", "@net.cvn", "@data.txt"});
        RunOk({"new", "@empty.cvn", "--inputs", "2", "--outputs", "1"});
        RunOk({"new", "@good.cvn"});
        Write("in.txt", "1 2 3 4\n");
        Write("x.txt", "1 2 x\n");
        fs::create_directory(Path("sub"));
        fs::create_symlink(Path("in.txt"), Path("link.txt"));
    }
};

struct RefusalRow {
    const char* name;
    std::vector<std::string> args;
    std::string message;
};
PRINTS_AS_NAME(RefusalRow)

class CommandRefusalTest : public RefusalTest, public testing::WithParamInterface<RefusalRow> {};

TEST_P(CommandRefusalTest, ExplainsItselfAndWritesNothing)
{
    RunRefused(GetParam().args, GetParam().message);
}

const std::string range = "Please enter an integer between 1 and 100000.";
const std::string notUnsigned = "Please enter an unsigned integer.";
INSTANTIATE_TEST_SUITE_P(
    New, CommandRefusalTest,
    testing::Values(
        // The shape dialog's checks and messages: inputs, outputs, layers in that order, each range
        // before the ratio.
        RefusalRow{"RatioBelow", {"new", "@x.cvn", "--outputs", "1"}, "corvina-cli: Error occured. If Input Count = 4, then OutputCount must be between 1 & 12.\n"},
        RefusalRow{"RatioAbove", {"new", "@x.cvn", "--inputs", "1", "--outputs", "3"}, "If Input Count = 1, then OutputCount must be between 0 & 3."},
        RefusalRow{"NoLayers", {"new", "@x.cvn", "--layers", "0"}, "corvina-cli: --layers '0': " + range + "\n"},
        RefusalRow{"InputsBeyondTheDialog", {"new", "@x.cvn", "--inputs", "100001"}, "--inputs '100001': " + range},
        RefusalRow{"LayersBeyond64Bits", {"new", "@x.cvn", "--layers", "99999999999999999999"}, "--layers '99999999999999999999': " + range},
        RefusalRow{"NegativeInputs", {"new", "@x.cvn", "--inputs", "-3"}, "--inputs '-3': " + notUnsigned},
        RefusalRow{"FractionalInputs", {"new", "@x.cvn", "--inputs", "2.5"}, "--inputs '2.5': " + notUnsigned},
        RefusalRow{"OutputsReadBeforeLayers", {"new", "@x.cvn", "--layers", "0", "--outputs", "x"}, "--outputs 'x': " + notUnsigned},
        RefusalRow{"TooManyNeurons", {"new", "@x.cvn", "--layers", "100000", "--inputs", "100000", "--outputs", "100000"}, "The network is too large"},
        RefusalRow{"BadSeed", {"new", "@x.cvn", "--seed", "-1"}, "--seed: '-1' is not an unsigned integer below 2^64"},
        RefusalRow{"Exists", {"new", "@net.cvn"}, "already exists; give --force to replace it"},
        RefusalRow{"MissingFolder", {"new", "@missing/x.cvn"}, "missing/x.cvn.\ncorvina-cli: The folder"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    Train, CommandRefusalTest,
    testing::Values(RefusalRow{"NoPatterns", {"train", "@empty.cvn", "--passes", "5"}, "empty.cvn has no training patterns"},
                    RefusalRow{"NoPasses", {"train", "@net.cvn", "--passes", "0"}, "--passes: '0' is not a whole number of passes above 0"},
                    RefusalRow{"WordPasses", {"train", "@net.cvn", "--passes", "ten"}, "--passes: 'ten' is not"},
                    RefusalRow{"NegativePasses", {"train", "@net.cvn", "--passes", "-1"}, "--passes: '-1' is not"},
                    RefusalRow{"BadSeed", {"train", "@net.cvn", "--passes", "5", "--seed", "x"}, "--seed: 'x' is not"},
                    RefusalRow{"MissingFolder", {"train", "@net.cvn", "--passes", "5", "--output", "@missing/out.cvn"}, "Failed to save the document"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    ImportAndConsult, CommandRefusalTest,
    testing::Values(RefusalRow{"NoCompleteRecord", {"import", "@net.cvn", "@x.txt"}, "holds no complete record of 3 numbers; reading stopped at line 1 at \"x\", which is not a number. "},
                    RefusalRow{"MissingData", {"import", "@net.cvn", "@missing.txt"}, "No such file or directory. "},
                    RefusalRow{"FolderAsData", {"import", "@net.cvn", "@sub"}, "Is a directory."},
                    RefusalRow{"TooFewValues", {"consult", "@net.cvn", "--values", "1"}, "corvina-cli: --values: the network has 2 inputs, 1 values were given\n"},
                    RefusalRow{"TooManyValues", {"consult", "@net.cvn", "--values", "1,2,3"}, "2 inputs, 3 values were given"},
                    RefusalRow{"NoNumber", {"consult", "@net.cvn", "--values", "1,inf"}, "--values: 'inf' is not a number\n"},
                    RefusalRow{"EmptyValue", {"consult", "@net.cvn", "--values", "1,,2"}, "--values: an empty value in '1,,2'\n"},
                    RefusalRow{"MissingInput", {"consult", "@net.cvn", "@missing.txt", "@out.txt"}, "No such file or directory"},
                    RefusalRow{"FolderAsInput", {"consult", "@net.cvn", "@sub", "@out.txt"}, "Is a directory"},
                    RefusalRow{"MissingOutputFolder", {"consult", "@net.cvn", "@in.txt", "@missing/out.txt"}, "cannot be written"},
                    RefusalRow{"OutputIsInput", {"consult", "@net.cvn", "@in.txt", "@sub/../in.txt"}, "is the input file"},
                    RefusalRow{"OutputLinksToInput", {"consult", "@net.cvn", "@in.txt", "@link.txt"}, "is the input file"},
                    RefusalRow{"OutputIsNetwork", {"consult", "@net.cvn", "@in.txt", "@net.cvn"}, "is the network's own file"}),
    RowName());

// A file that holds no network, and what the message says of it.
struct BadFileRow {
    const char* name;
    const char* file;
    const char* cause;
};
PRINTS_AS_NAME(BadFileRow)

struct CommandRow {
    const char* name;
    std::vector<std::string> args;  // NET stands for the network file
};
PRINTS_AS_NAME(CommandRow)

class BadNetworkFileTest : public RefusalTest, public testing::WithParamInterface<std::tuple<BadFileRow, CommandRow>> {
protected:
    void SetUp() override
    {
        RefusalTest::SetUp();
        Write("zero.cvn", "");
        Write("text.cvn", "hello world\n");
        const std::string good = Read("good.cvn");
        Write("cut.cvn", good.substr(0, good.size() - 1));
        std::string lacking = good;
        lacking.replace(12388, 4, std::string("\xE8\x03\0\0", 4));  // 1000 patterns
        Write("lacking.cvn", lacking);
    }
};

TEST_P(BadNetworkFileTest, EveryCommandRefusesIt)
{
    const auto& [file, command] = GetParam();
    std::vector<std::string> args = command.args;
    std::string network = "@";
    network += file.file;
    std::replace(args.begin(), args.end(), std::string("NET"), network);
    std::string message = "corvina-cli: Cannot open the document ";
    message.append(Path(file.file)).append(".\ncorvina-cli: ").append(file.cause);
    RunRefused(args, message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadNetworkFileTest,
    testing::Combine(testing::Values(BadFileRow{"Missing", "missing.cvn", "The file cannot be read: No such file or directory."},
                                     BadFileRow{"Folder", "sub", "It is not a regular file: it is a directory."},
                                     BadFileRow{"Empty", "zero.cvn", "The file is empty: it holds no network."},
                                     BadFileRow{"Text", "text.cvn", "It is not a Corvina network"},
                                     BadFileRow{"CutByOneByte", "cut.cvn", "The file ends early: its counts need 12388 more bytes, it holds 12387."},
                                     BadFileRow{"LacksItsPatterns", "lacking.cvn", "The file ends early: its counts need 6008"}),
                     testing::Values(CommandRow{"Info", {"info", "NET"}},
                                     CommandRow{"Import", {"import", "NET", "@data.txt"}},
                                     CommandRow{"Train", {"train", "NET", "--passes", "3"}},
                                     CommandRow{"ConsultValues", {"consult", "NET", "--values", "1,2,3,4"}},
                                     CommandRow{"ConsultFile", {"consult", "NET", "@in.txt", "@answers.txt"}})),
    [](const auto& row) { return std::string(std::get<0>(row.param).name) + std::get<1>(row.param).name; });

}  // namespace
