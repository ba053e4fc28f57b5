#include <gtest/gtest.h>

#include "shell/dialogs/number_exchange.h"
#include "tests/support/modal.h"

namespace {

TEST(NumberExchangeTest, FormatsAsTheListAndTheFieldShowValues)
{
    for (const auto& [value, fixed, real] : {std::tuple{0.25, "0.250000", "0.25"}, {0.1234567, "0.123457", "0.1234567"},
                                             {1.0 / 3.0, "0.333333", "0.333333333333333"}, {0.0000004, "0.000000", "4e-07"},
                                             {123456789012345678.0, "123456789012345680.000000", "1.23456789012346e+17"}}) {
        EXPECT_EQ(FormatFixed(value), fixed) << value;
        EXPECT_EQ(FormatReal(value), real) << value;
    }
}

TEST(NumberExchangeTest, AFieldAcceptsDecimalNotationOnlyAndAnItemReadsAsItsLeadingNumber)
{
    for (const auto& [text, accepted, expected] : {std::tuple{" -2.25 ", true, -2.25}, {"+7", true, 7.0}, {"5.", true, 5.0},
                                                   {"2.5E-1", true, 0.25}, {"", false, 0.0}, {"-", false, 0.0},
                                                   {"1,5", false, 0.0}, {"inf", false, 0.0}, {"1e999", false, 0.0}}) {
        double value = -99.0;
        EXPECT_EQ(ParseReal(text, value), accepted) << text;
        EXPECT_EQ(value, accepted ? expected : -99.0) << text;
    }
    for (const auto& [text, value] : {std::pair{"  -0.250000", -0.25}, {"3.5abc", 3.5}, {"abc", 0.0}, {"-", 0.0}})
        EXPECT_EQ(LeadingReal(text), value) << text;
}

}  // namespace
