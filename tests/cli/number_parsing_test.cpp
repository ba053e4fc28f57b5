#include "cli/number_parsing.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberParsingTest, RealsAreFiniteDecimalNumbersFillingTheText)
{
    const std::vector<std::pair<std::string, std::optional<double>>> cases = {
        {"1.5", 1.5}, {"+3", 3.0}, {".5", 0.5}, {"5.", 5.0}, {"-1.25E-2", -0.0125}, {"1e308", 1e308},
        {"", {}}, {"+", {}}, {"-", {}}, {".", {}}, {"+-1", {}}, {"--1", {}}, {"1.5abc", {}}, {" 1", {}}, {"1 ", {}},
        {"nan", {}}, {"-infinity", {}}, {"0x1p3", {}}, {"1e999", {}}, {"1,5", {}}, {"1e", {}},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseReal(text), value) << "'" << text << "'";
}

TEST(NumberParsingTest, UnsignedIntegersAreDigitsOnly)
{
    const std::vector<std::pair<std::string, std::optional<uint64_t>>> cases = {
        {"0", 0u}, {"007", 7u}, {"18446744073709551615", UINT64_MAX}, {"18446744073709551616", {}},
        {"", {}}, {"-1", {}}, {"+1", {}}, {"1.0", {}}, {" 1", {}},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseUnsigned(text), value) << "'" << text << "'";
}

}  // namespace
