#include <filesystem>

#include "tests/cli/cli_fixture.h"

namespace {

namespace fs = std::filesystem;

// A folder holding net.cvn (2 inputs, 1 output, two training patterns), empty.cvn (no patterns),
// good.cvn (a new default network), files that hold no network, in.txt and a sub-folder: a
// refused command leaves every one of them as it was.
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
        Write("zero.cvn", "");
        const std::string good = Read("good.cvn");
        Write("cut.cvn", good.substr(0, good.size() - 1));
        Write("lacking.cvn", good.substr(0, 12388) + std::string("\xE8\x03\0\0", 4) + good.substr(12392));  // 1000 patterns
    }
};

// A command, and what its message holds, where % stands for the folder.
struct RefusalRow {
    const char* name;
    std::vector<std::string> args;
    std::string message;
};
PRINTS_AS_NAME(RefusalRow)

class CommandRefusalTest : public RefusalTest, public testing::WithParamInterface<RefusalRow> {};

TEST_P(CommandRefusalTest, ExplainsItselfAndWritesNothing)
{
    std::string message = GetParam().message;
    if (const size_t at = message.find('%'); at != std::string::npos)
        message.replace(at, 1, dir.Root().string());
    RunRefused(GetParam().args, message);
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
        RefusalRow{"OutputsReadBeforeLayers", {"new", "@x.cvn", "--layers", "0", "--outputs", "x"}, "--outputs 'x': " + notUnsigned},
        RefusalRow{"TooManyNeurons", {"new", "@x.cvn", "--layers", "100000", "--inputs", "100000", "--outputs", "100000"}, "The network is too large"},
        RefusalRow{"BadSeed", {"new", "@x.cvn", "--seed", "-1"}, "--seed: '-1' is not an unsigned integer below 2^64"},
        RefusalRow{"Exists", {"new", "@net.cvn"}, "already exists; give --force to replace it"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    Train, CommandRefusalTest,
    testing::Values(RefusalRow{"NoPatterns", {"train", "@empty.cvn", "--passes", "5"}, "empty.cvn has no training patterns"},
                    RefusalRow{"NoPasses", {"train", "@net.cvn", "--passes", "0"}, "--passes: '0' is not a whole number of passes above 0"},
                    RefusalRow{"BadSeed", {"train", "@net.cvn", "--passes", "5", "--seed", "x"}, "--seed: 'x' is not"},
                    RefusalRow{"MissingFolder", {"train", "@net.cvn", "--passes", "5", "--output", "@missing/out.cvn"}, "Failed to save the document"},
                    RefusalRow{"UnknownRounding", {"train", "@net.cvn", "--passes", "5", "--rounding", "fast"}, "--rounding: 'fast' is neither classic nor precise"},
                    RefusalRow{"BothKeepBestFlags", {"train", "@net.cvn", "--passes", "5", "--keep-best", "--no-keep-best"}, "contradict each other"},
                    RefusalRow{"ZeroInterval", {"train", "@net.cvn", "--passes", "5", "--keep-best", "--every", "0"}, "--every: '0' is not a whole number of passes"},
                    RefusalRow{"TooManyClasses", {"train", "@net.cvn", "--passes", "5", "--classes", "4"}, "--classes: '4' is not a class count from 2 to the network's 1"},
                    RefusalRow{"MissingValidationFile", {"train", "@net.cvn", "--passes", "5", "--keep-best", "--validate", "@none.txt"}, "none.txt cannot be read"},
                    RefusalRow{"LogOverTheNetwork", {"train", "@net.cvn", "--passes", "5", "--log", "@net.cvn"}, "is the network's own file"},
                    RefusalRow{"LogOverTheValidationFile", {"train", "@net.cvn", "--passes", "5", "--validate", "@data.txt", "--log", "@data.txt"}, "is the validation file"},
                    RefusalRow{"LogInAMissingFolder", {"train", "@net.cvn", "--passes", "5", "--log", "@no/such/run.csv"}, "does not exist"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    EvaluateAndExport, CommandRefusalTest,
    testing::Values(RefusalRow{"MissingData", {"evaluate", "@net.cvn", "@missing.txt"}, "missing.txt cannot be read"},
                    RefusalRow{"NoCompleteRecord", {"evaluate", "@net.cvn", "@x.txt"}, "holds no complete record of 3 numbers"},
                    RefusalRow{"TooManyClasses", {"evaluate", "@net.cvn", "@data.txt", "--classes", "4"}, "--classes: '4' is not a class count from 2"},
                    RefusalRow{"NoCName", {"export", "@good.cvn", "--c", "@.", "--name", "2x"}, "--name: '2x' is not a usable C name"},
                    RefusalRow{"MissingExportFolder", {"export", "@good.cvn", "--c", "@none"}, "the folder \"%/none\" does not exist; nothing was exported"},
                    RefusalRow{"MissingNetwork", {"export", "@missing.cvn", "--c", "@."}, "missing.cvn"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    ImportAndConsult, CommandRefusalTest,
    testing::Values(RefusalRow{"NoCompleteRecord", {"import", "@net.cvn", "@x.txt"}, "holds no complete record of 3 numbers; reading stopped at line 1 at \"x\", which is not a number. "},
                    RefusalRow{"TooFewValues", {"consult", "@net.cvn", "--values", "1"}, "corvina-cli: --values: the network has 2 inputs, 1 values were given\n"},
                    RefusalRow{"NoNumber", {"consult", "@net.cvn", "--values", "1,inf"}, "--values: 'inf' is not a number\n"},
                    RefusalRow{"EmptyValue", {"consult", "@net.cvn", "--values", "1,,2"}, "--values: an empty value in '1,,2'\n"},
                    RefusalRow{"MissingInput", {"consult", "@net.cvn", "@missing.txt", "@out.txt"}, "No such file or directory"},
                    RefusalRow{"OutputIsNetwork", {"consult", "@net.cvn", "@in.txt", "@net.cvn"}, "is the network's own file"}),
    RowName());

const std::string cannotOpen = "corvina-cli: Cannot open the document %/";
INSTANTIATE_TEST_SUITE_P(
    Files, CommandRefusalTest,
    testing::Values(RefusalRow{"InfoOnAMissingFile", {"info", "@missing.cvn"}, cannotOpen + "missing.cvn.\ncorvina-cli: The file cannot be read: No such file or directory."},
                    RefusalRow{"ImportIntoAFolder", {"import", "@sub", "@data.txt"}, cannotOpen + "sub.\ncorvina-cli: It is not a regular file: it is a directory."},
                    RefusalRow{"TrainAnEmptyFile", {"train", "@zero.cvn", "--passes", "3"}, cannotOpen + "zero.cvn.\ncorvina-cli: The file is empty: it holds no network."},
                    RefusalRow{"ConsultValuesOfACutFile", {"consult", "@cut.cvn", "--values", "1,2,3,4"},
                               cannotOpen + "cut.cvn.\ncorvina-cli: The file ends early: its counts need 12388 more bytes, it holds 12387."},
                    RefusalRow{"ConsultAFileLackingItsPatterns", {"consult", "@lacking.cvn", "@in.txt", "@answers.txt"},
                               cannotOpen + "lacking.cvn.\ncorvina-cli: The file ends early: its counts need 6008"}),
    RowName());

}  // namespace
