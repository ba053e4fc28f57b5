#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/command_table.h"
#include "tests/cli/cli_fixture.h"

namespace {

TEST_F(CliTest, GeneralHelpListsEveryCommand)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"-h"}, {"help"}}) {
        const std::string out = RunOk(args);
        EXPECT_NE(out.find("Usage: corvina-cli COMMAND"), std::string::npos);
        for (const CommandSpec& command : Commands()) {
            EXPECT_NE(out.find("  " + std::string(command.name) + " "), std::string::npos) << command.name;
            EXPECT_NE(out.find(std::string(command.summary)), std::string::npos) << command.name;
        }
        EXPECT_NE(out.find("Exit status"), std::string::npos);
    }
}

TEST_F(CliTest, EachCommandsHelpNamesEveryOptionItTakes)
{
    for (const CommandSpec& command : Commands()) {
        SCOPED_TRACE(std::string(command.name));
        const std::string name(command.name);
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{name, "--help"}, {"help", name}, {name, "net.cvn", "-h"}}) {
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
    struct Case {
        std::vector<std::string> args;
        std::string message;
        std::string hint;
    };
    const std::vector<Case> cases = {
        {{}, "no command given", "Try 'corvina-cli --help'."},
        {{"make"}, "unknown command 'make'", "Try 'corvina-cli --help'."},
        {{"help", "make"}, "unknown command 'make'", "Try 'corvina-cli --help'."},
        {{"new"}, "missing arguments", "Try 'corvina-cli new --help'."},
        {{"new", "a.cvn", "b.cvn"}, "unexpected argument 'b.cvn'", "Try 'corvina-cli new --help'."},
        {{"new", "a.cvn", "--colour", "red"}, "unknown option '--colour'", "Try 'corvina-cli new --help'."},
        {{"new", "a.cvn", "--layers"}, "option '--layers' needs a value", "Try 'corvina-cli new --help'."},
        {{"info"}, "missing arguments", "Try 'corvina-cli info --help'."},
        {{"info", "a.cvn", "--passes", "3"}, "unknown option '--passes'", "Try 'corvina-cli info --help'."},
        {{"import", "a.cvn"}, "missing arguments", "Try 'corvina-cli import --help'."},
        {{"train", "a.cvn"}, "missing option '--passes N'", "Try 'corvina-cli train --help'."},
        {{"train", "a.cvn", "--passes", "1", "--passes", "2"}, "option '--passes' given twice",
         "Try 'corvina-cli train --help'."},
        {{"consult", "a.cvn"}, "consult takes NET.cvn with --values, or NET.cvn IN OUT without it",
         "Try 'corvina-cli consult --help'."},
        {{"consult", "a.cvn", "in.txt"}, "consult takes NET.cvn with --values, or NET.cvn IN OUT without it",
         "Try 'corvina-cli consult --help'."},
        {{"consult", "a.cvn", "in.txt", "out.txt", "--values", "1"},
         "consult takes NET.cvn with --values, or NET.cvn IN OUT without it", "Try 'corvina-cli consult --help'."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const CliResult result = Run(c.args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("corvina-cli: " + c.message + "\n", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(c.hint), std::string::npos) << result.err;
    }
    EXPECT_TRUE(Files().empty());
}

}  // namespace
