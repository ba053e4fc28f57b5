#include "cli/command_table.h"
#include "tests/cli/cli_fixture.h"

namespace {

TEST_F(CliTest, HelpListsEveryCommandAndEachCommandsOptions)
{
    for (const std::string flag : {"--help", "-h", "help"}) {
        const std::string out = RunOk({flag});
        EXPECT_EQ(out.rfind("Usage: corvina-cli COMMAND", 0), 0u) << out;
        EXPECT_NE(out.find("Exit status"), std::string::npos);
        for (const CommandSpec& command : Commands()) {
            EXPECT_NE(out.find("  " + std::string(command.name) + " "), std::string::npos) << command.name;
            EXPECT_NE(out.find(command.summary), std::string::npos) << command.name;
        }
    }
    for (const CommandSpec& command : Commands()) {
        const std::string name(command.name);
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{name, "--help"}, {"help", name}, {name, "net.cvn", "-h"}}) {
            SCOPED_TRACE(testing::PrintToString(args));
            const std::string out = RunOk(args);
            EXPECT_EQ(out.rfind("Usage: corvina-cli " + name + " ", 0), 0u) << out;
            for (const OptionSpec& option : command.options)
                EXPECT_NE(out.find("--" + std::string(option.name)), std::string::npos) << option.name;
        }
    }
    EXPECT_TRUE(Files().empty()) << "help writes no file";
}

TEST_F(CliTest, AWrongCommandLineIsAUsageErrorWithAHint)
{
    const std::vector<std::tuple<std::vector<std::string>, std::string, std::string>> cases = {
        {{}, "no command given", ""},
        {{"make"}, "unknown command 'make'", ""},
        {{"help", "make"}, "unknown command 'make'", ""},
        {{"new"}, "missing arguments", "new "},
        {{"new", "a.cvn", "b.cvn"}, "unexpected argument 'b.cvn'", "new "},
        {{"info", "a.cvn", "--passes", "3"}, "unknown option '--passes'", "info "},
        {{"info", "-x"}, "unknown option '-x'", "info "},
        {{"new", "a.cvn", "--layers"}, "option '--layers' needs a value", "new "},
        {{"new", "a.cvn", "--seed=1", "--seed", "2"}, "option '--seed' given twice", "new "},
        {{"new", "a.cvn", "--force=yes"}, "option '--force' takes no value", "new "},
        // "-" is a name like any other; "--" ends the options.
        {{"new", "-", "--", "--force"}, "unexpected argument '--force'", "new "},
        {{"train", "a.cvn"}, "missing option '--passes N'", "train "},
        {{"consult", "a.cvn", "in.txt"}, "consult takes NET.cvn with --values, or NET.cvn IN OUT without it",
         "consult "},
    };
    for (const auto& [args, message, command] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliResult result = Run(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("corvina-cli: " + message + "\n", 0), 0u) << result.err;
        EXPECT_NE(result.err.find("Try 'corvina-cli " + command + "--help'."), std::string::npos) << result.err;
    }
    EXPECT_TRUE(Files().empty());
}

}  // namespace
