#include "cli/command_table.h"
#include "tests/cli/cli_fixture.h"

namespace {

TEST_F(CliTest, HelpListsEveryCommandInEachSpelling)
{
    const std::string overview = RunOk({"help"});
    EXPECT_EQ(std::pair(RunOk({"--help"}), RunOk({"-h"})), std::pair(overview, overview));
    EXPECT_EQ(overview.rfind("Usage: corvina-cli COMMAND", 0), 0u) << overview;
    for (const CommandSpec& command : Commands()) {
        const std::string name(command.name);
        EXPECT_NE(overview.find("  " + name + " "), std::string::npos) << name;
        const std::string out = RunOk({name, "--help"});
        EXPECT_EQ(out.rfind("Usage: corvina-cli " + name + " ", 0), 0u) << out;
        EXPECT_EQ(std::pair(RunOk({"help", name}), RunOk({name, "net.cvn", "-h"})), std::pair(out, out));
    }
    EXPECT_TRUE(DirectoryEntries(dir.Root()).empty()) << "help writes no file";
}

struct UsageRow {
    const char* name;
    std::vector<std::string> args;
    const char* message;
    const char* command;  // the command whose help the hint names
};
PRINTS_AS_NAME(UsageRow)

class UsageErrorTest : public CliTest, public testing::WithParamInterface<UsageRow> {};

TEST_P(UsageErrorTest, IsExitStatus2WithAHint)
{
    const CliResult result = Run(GetParam().args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("corvina-cli: " + std::string(GetParam().message) + "\n", 0), 0u) << result.err;
    EXPECT_NE(result.err.find("Try 'corvina-cli " + std::string(GetParam().command) + "--help'."), std::string::npos)
        << result.err;
    EXPECT_TRUE(DirectoryEntries(dir.Root()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, UsageErrorTest,
    testing::Values(UsageRow{"NoCommand", {}, "no command given", ""},
                    UsageRow{"UnknownCommand", {"make"}, "unknown command 'make'", ""},
                    UsageRow{"HelpOnAnUnknownCommand", {"help", "make"}, "unknown command 'make'", ""},
                    UsageRow{"MissingArgument", {"new"}, "missing arguments", "new "},
                    UsageRow{"ExtraArgument", {"new", "a.cvn", "b.cvn"}, "unexpected argument 'b.cvn'", "new "},
                    UsageRow{"AnotherCommandsOption", {"info", "a.cvn", "--passes", "3"}, "unknown option '--passes'", "info "},
                    UsageRow{"MissingValue", {"new", "a.cvn", "--layers"}, "option '--layers' needs a value", "new "},
                    UsageRow{"TwiceGiven", {"new", "a.cvn", "--seed=1", "--seed", "2"}, "option '--seed' given twice", "new "},
                    UsageRow{"FlagWithAValue", {"new", "a.cvn", "--force=yes"}, "option '--force' takes no value", "new "},
                    // "-" is a name like any other; "--" ends the options.
                    UsageRow{"AfterTheOptions", {"new", "-", "--", "--force"}, "unexpected argument '--force'", "new "},
                    UsageRow{"MissingRequiredOption", {"train", "a.cvn"}, "missing option '--passes N'", "train "},
                    UsageRow{"ExportWithoutAFolder", {"export", "a.cvn"}, "missing option '--c DIR'", "export "},
                    UsageRow{"ConsultWithoutOutput", {"consult", "a.cvn", "in.txt"},
                             "consult takes NET.cvn with --values, or NET.cvn IN OUT without it", "consult "}),
    RowName());

}  // namespace
