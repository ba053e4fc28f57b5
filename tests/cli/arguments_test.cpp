#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

constexpr std::array<OptionSpec, 3> Options = {{{"passes", true, "N", true}, {"seed", true}, {"randomize", false}}};

TEST(ArgumentsTest, SplitsPositionalsFlagsAndValues)
{
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> positionals;
        std::string passes;  // empty: not given
        bool randomize;
    };
    const std::vector<Case> cases = {
        {{"net.cvn"}, {"net.cvn"}, "", false},
        {{"net.cvn", "--passes", "10"}, {"net.cvn"}, "10", false},
        {{"--passes=10", "net.cvn"}, {"net.cvn"}, "10", false},
        {{"--passes=", "net.cvn"}, {"net.cvn"}, "", false},
        {{"net.cvn", "--randomize", "data"}, {"net.cvn", "data"}, "", true},
        // A value may start with a minus sign, as negative numbers do.
        {{"--passes", "-3", "net.cvn"}, {"net.cvn"}, "-3", false},
        // A lone "-" is a positional (the usual name of standard input), "--" ends the options.
        {{"-", "--", "--randomize"}, {"-", "--randomize"}, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        ParsedArguments parsed;
        std::string error;
        ASSERT_TRUE(ParseArguments(c.args, Options, parsed, error)) << error;
        EXPECT_EQ(parsed.positionals, c.positionals);
        EXPECT_EQ(parsed.Value("passes").value_or(""), c.passes);
        EXPECT_EQ(parsed.Has("randomize"), c.randomize);
        EXPECT_FALSE(parsed.help);
    }
}

TEST(ArgumentsTest, RefusesMalformedCommandLines)
{
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{"--colour"}, "unknown option '--colour'"},
        {{"--colour=red"}, "unknown option '--colour'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--passes"}, "option '--passes' needs a value"},
        {{"--passes", "1", "--passes", "2"}, "option '--passes' given twice"},
        {{"--randomize", "--randomize"}, "option '--randomize' given twice"},
        {{"--randomize=yes"}, "option '--randomize' takes no value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        ParsedArguments parsed;
        std::string error;
        EXPECT_FALSE(ParseArguments(c.args, Options, parsed, error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(ArgumentsTest, HelpIsRecognisedAnywhere)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"net.cvn", "-h"}, {"--passes", "3", "--help"}}) {
        ParsedArguments parsed;
        std::string error;
        ASSERT_TRUE(ParseArguments(args, Options, parsed, error)) << error;
        EXPECT_TRUE(parsed.help);
    }
}

}  // namespace
