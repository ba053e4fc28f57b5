#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "document/real_format.h"
#include "document_fixture.h"

namespace {

// FormatReal writes what printf writes in the "C" locale.
class RealFormatTest : public testing::TestWithParam<double> {};

TEST_P(RealFormatTest, MatchesPrintfInTheCLocale)
{
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    char fixed[400];
    char general[64];
    std::snprintf(fixed, sizeof fixed, "%f", GetParam());
    std::snprintf(general, sizeof general, "%g", GetParam());
    EXPECT_EQ(FormatReal(GetParam(), RealNotation::Fixed), fixed);
    EXPECT_EQ(FormatReal(GetParam(), RealNotation::General), general);
}

INSTANTIATE_TEST_SUITE_P(Values, RealFormatTest,
                         testing::Values(0.0, -0.0, 0.5, -3.0, 1000.0, 0.1 + 0.2, 1e-5, 0.0001, 123456.0, 1234567.0,
                                         -2.5e-7, 999999.5, 1e300, -1.7976931348623157e308, 4.9e-324));

// Sets LC_NUMERIC to a locale whose decimal separator is a comma while it lives, as a desktop
// does under the user's locale, and back to "C" afterwards.
class CommaLocale {
public:
    CommaLocale() { active = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr; }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, "C"); }
    bool Active() const { return active; }

private:
    bool active = false;
};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Consulting writes the same text under a decimal-comma locale as under the "C" locale.
TEST_F(DocumentTest, ConsultationWritesDecimalPointsWhateverTheLocale)
{
    // Fractional outputs, so that every written value has a decimal separator.
    document.ImportTrainingData(DataFile("data.txt", "0.5 1 2 3 0.25 1.75\n1 2 3 4 0.5 2.25\n2 3 4 5 0.75 2.5\n"),
                                true);
    const std::string input = DataFile("in.txt", "0.5 1 2 3\n2 3 4 5\n");
    const double values[] = {0.5, 1.0, 2.0, 3.0};
    std::copy(std::begin(values), std::end(values), document.GetConsultValues());
    const std::string report = document.ConsultSingle();
    const BatchOutcome point = document.ConsultFile(input, folder.Path("c.txt"));
    ASSERT_TRUE(point.written) << point.error;
    ASSERT_NE(report.find("0.250000"), std::string::npos) << report;
    ASSERT_NE(ReadAll(folder.Path("c.txt")).find("0.25"), std::string::npos);

    const CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    char shown[16];
    std::snprintf(shown, sizeof shown, "%.1f", 0.5);
    ASSERT_STREQ(shown, "0,5");
    EXPECT_EQ(document.ConsultSingle(), report);
    const BatchOutcome commaOutcome = document.ConsultFile(input, folder.Path("comma.txt"));
    ASSERT_TRUE(commaOutcome.written) << commaOutcome.error;
    EXPECT_EQ(ReadAll(folder.Path("comma.txt")), ReadAll(folder.Path("c.txt")));
}

}  // namespace
