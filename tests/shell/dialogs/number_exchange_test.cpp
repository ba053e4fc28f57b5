#include <gtest/gtest.h>

#include "qt_printing.h"
#include "shell/dialogs/number_exchange.h"

TEST(NumberExchange, FormatsAsTheListAndTheFieldShowValues)
{
    const struct { double value; const char* fixed; const char* real; } rows[] = {
        {0.0, "0.000000", "0"},
        {0.25, "0.250000", "0.25"},
        {-3.0, "-3.000000", "-3"},
        {0.1234567, "0.123457", "0.1234567"},
        {1.0 / 3.0, "0.333333", "0.333333333333333"},
        {0.0000004, "0.000000", "4e-07"},
        {1e20, "100000000000000000000.000000", "1e+20"},
        {123456789012345678.0, "123456789012345680.000000", "1.23456789012346e+17"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FormatFixed(row.value), row.fixed) << row.value;
        EXPECT_EQ(FormatReal(row.value), row.real) << row.value;
    }
}

TEST(NumberExchange, AFieldAcceptsDecimalNotationOnlyAndAnItemReadsAsItsLeadingNumber)
{
    const struct { const char* text; bool accepted; double value; } fields[] = {
        {"0", true, 0.0},  {"1.5", true, 1.5},  {" -2.25 ", true, -2.25}, {"+7", true, 7.0},  {".5", true, 0.5},
        {"5.", true, 5.0}, {"1e3", true, 1e3},  {"2.5E-1", true, 0.25},   {"", false, 0},     {" ", false, 0},
        {"-", false, 0},   {".", false, 0},     {"+-1", false, 0},        {"1.5x", false, 0}, {"1e", false, 0},
        {"1,5", false, 0}, {"inf", false, 0},   {"nan", false, 0},        {"0x10", false, 0}, {"1e999", false, 0},
        {"1 2", false, 0},
    };
    for (const auto& row : fields) {
        double value = -99.0;
        EXPECT_EQ(ParseReal(row.text, value), row.accepted) << row.text;
        EXPECT_EQ(value, row.accepted ? row.value : -99.0) << row.text;
    }
    const std::pair<const char*, double> items[] = {
        {"1.500000", 1.5}, {"  -0.250000", -0.25}, {"3.5abc", 3.5}, {"abc", 0.0}, {"", 0.0}, {"-", 0.0}};
    for (const auto& [text, value] : items)
        EXPECT_EQ(LeadingReal(text), value) << text;
}
