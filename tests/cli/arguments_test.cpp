#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr std::array<OptionSpec, 3> Options = {{{"passes", true, "N", true}, {"seed", true}, {"randomize", false}}};

TEST(ArgumentsTest, SplitsPositionalsFlagsAndValues)
{
    struct Case {
        std::vector<std::string> args, positionals;
        std::string passes;  // "" when not given
        bool randomize = false, help = false;
    };
    const std::vector<Case> cases = {
        {{"net.cvn", "--passes", "10", "--randomize", "data"}, {"net.cvn", "data"}, "10", true},
        {{"--passes=10", "net.cvn"}, {"net.cvn"}, "10"},
        {{"--passes", "-3"}, {}, "-3"},  // a value may look like a negative number
        {{"-", "--", "--randomize"}, {"-", "--randomize"}, ""},  // "--" ends the options
        {{"net.cvn", "-h"}, {"net.cvn"}, "", false, true},
        {{"--passes", "3", "--help"}, {}, "3", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        ParsedArguments parsed;
        std::string error;
        ASSERT_TRUE(ParseArguments(c.args, Options, parsed, error)) << error;
        EXPECT_EQ(parsed.positionals, c.positionals);
        EXPECT_EQ(parsed.Value("passes").value_or(""), c.passes);
        EXPECT_EQ(parsed.Has("randomize"), c.randomize);
        EXPECT_EQ(parsed.help, c.help);
    }
}

TEST(ArgumentsTest, RefusesMalformedCommandLines)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--colour=red"}, "unknown option '--colour'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--passes"}, "option '--passes' needs a value"},
        {{"--passes", "1", "--passes=2"}, "option '--passes' given twice"},
        {{"--randomize", "--randomize"}, "option '--randomize' given twice"},
        {{"--randomize=yes"}, "option '--randomize' takes no value"},
    };
    for (const auto& [args, message] : cases) {
        ParsedArguments parsed;
        std::string error;
        EXPECT_FALSE(ParseArguments(args, Options, parsed, error)) << message;
        EXPECT_EQ(error, message);
    }
}

}  // namespace
