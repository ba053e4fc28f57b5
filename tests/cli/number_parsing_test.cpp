#include "cli/number_parsing.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

TEST(NumberParsingTest, RealsAreFiniteDecimalNumbersFillingTheText)
{
    struct Case {
        std::string text;
        std::optional<double> value;
    };
    const std::vector<Case> cases = {
        {"0", 0.0},          {"1.5", 1.5},      {"-2", -2.0},        {"+3", 3.0},
        {".5", 0.5},         {"5.", 5.0},       {"1e3", 1000.0},     {"-1.25E-2", -0.0125},
        {"1e308", 1e308},    {"", std::nullopt}, {"+", std::nullopt}, {"-", std::nullopt},
        {".", std::nullopt}, {"+-1", std::nullopt}, {"--1", std::nullopt}, {"1.5abc", std::nullopt},
        {"abc", std::nullopt}, {" 1", std::nullopt}, {"1 ", std::nullopt}, {"nan", std::nullopt},
        {"inf", std::nullopt}, {"-infinity", std::nullopt}, {"0x1p3", std::nullopt}, {"1e999", std::nullopt},
        {"1,5", std::nullopt}, {"1e", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.text + "'");
        EXPECT_EQ(ParseReal(c.text), c.value);
    }
}

TEST(NumberParsingTest, UnsignedIntegersAreDigitsOnly)
{
    struct Case {
        std::string text;
        std::optional<uint64_t> value;
    };
    const std::vector<Case> cases = {
        {"0", 0u},
        {"42", 42u},
        {"007", 7u},
        {"18446744073709551615", std::numeric_limits<uint64_t>::max()},
        {"18446744073709551616", std::nullopt},
        {"", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {"1.0", std::nullopt},
        {"1e3", std::nullopt},
        {" 1", std::nullopt},
        {"ten", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.text + "'");
        EXPECT_EQ(ParseUnsigned(c.text), c.value);
    }
}

TEST(NumberParsingTest, ValueListsAreCommaSeparatedReals)
{
    struct Case {
        std::string text;
        std::vector<double> values;  // empty: refused
        std::string error;
    };
    const std::vector<Case> cases = {
        {"1", {1.0}, ""},
        {"1,2.5,-3", {1.0, 2.5, -3.0}, ""},
        {" 1 , 2 ", {1.0, 2.0}, ""},
        {"1,x,3", {}, "'x' is not a number"},
        {"1,nan", {}, "'nan' is not a number"},
        {"1,,3", {}, "an empty value in '1,,3'"},
        {"1,2,", {}, "an empty value in '1,2,'"},
        {"", {}, "an empty value in ''"},
        {"1;2", {}, "'1;2' is not a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.text + "'");
        std::vector<double> values;
        std::string error;
        EXPECT_EQ(ParseRealList(c.text, values, error), !c.values.empty());
        if (!c.values.empty())
            EXPECT_EQ(values, c.values);
        else
            EXPECT_EQ(error, c.error);
    }
}

}  // namespace
