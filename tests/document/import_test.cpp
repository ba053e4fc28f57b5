#include <cmath>
#include <limits>

#include "document/number_reader.h"
#include "document/transformation_tables.h"
#include "tests/document/document_fixture.h"

class ImportTest : public DocumentTest {
protected:
    ImportTest()
    {
        document.CreateNetwork(1, 2, 1);
        FillIdentityTables(document.GetTable(Column::Input, 0), 2);
        FillIdentityTables(document.GetTable(Column::Output, 0), 1);
    }

    std::vector<std::vector<int32_t>> Patterns() const
    {
        std::vector<std::vector<int32_t>> levels;
        for (const auto& pattern : document.GetPatterns())
            levels.push_back({pattern->GetLevel(0), pattern->GetLevel(1), pattern->GetLevel(2)});
        return levels;
    }
};

TEST_F(ImportTest, CompleteRecordsBecomePatternsWhateverTheLines)
{
    const struct {
        const char* text;
        std::vector<std::vector<int32_t>> patterns;
    } cases[] = {
        {"1 2 3 4 5 6", {{1, 2, 3}, {4, 5, 6}}},
        {"1\n2\n3\n4\n5\n6\n", {{1, 2, 3}, {4, 5, 6}}},
        {"1 2 3 4 5 6 7 8", {{1, 2, 3}, {4, 5, 6}}},
        {"1 2 x 4 5 6", {}},
        {"1 2 3 4 5 6abc 7 8 9", {{1, 2, 3}}},
        {"+1 .5e1 5. -0 2.5 1e400", {{1, 5, 5}}},
        {"", {}},
    };
    for (const auto& c : cases) {
        document.ImportTrainingData(DataFile("d.txt", c.text), false);
        EXPECT_EQ(Patterns(), c.patterns) << c.text;
    }
    document.ImportTrainingData(folder.Path("missing.txt"), true);
    EXPECT_TRUE(Patterns().empty());
    EXPECT_EQ(document.Dequantize(7, Column::Input, 1), 7.0);
}

TEST_F(ImportTest, AnImportResetsTheStatisticsAndTellsTheViews)
{
    document.SetPassesCount(9);
    document.ImportTrainingData(DataFile("d.txt", "1 2 3"), true);
    EXPECT_EQ(document.GetPassesCount(), 0u);
    EXPECT_EQ(document.GetAverageError(), 10922);
    EXPECT_EQ(view.hints, std::vector<UpdateHint>{UpdateHint::All});
    EXPECT_FALSE(document.IsModified());

    scripted.trainingData = {DataFile("e.txt", "1 2 3 4 5 6"), true};
    document.OnSelectTd();
    EXPECT_EQ(document.GetPatternsCount(), 2);
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(scripted.questions.empty());
}

TEST_F(ImportTest, NewTablesHoldTheRanksOfTheSortedColumns)
{
    document.ImportTrainingData(DataFile("d.txt", "-2.5 7 1e3"), true);
    for (int32_t level = 0; level < 256; ++level)
        EXPECT_EQ(document.Dequantize(static_cast<uint8_t>(level), Column::Output, 0), 1000.0);
    EXPECT_EQ(document.Quantize(7, Column::Input, 1), 0);
    EXPECT_EQ(document.Quantize(7.5, Column::Input, 1), 255);

    std::string text;
    for (int32_t value = 1000; value >= 1; --value)
        text += std::to_string(value) + " 0 " + std::to_string(-value) + "\n";
    document.ImportTrainingData(DataFile("d.txt", text), true);
    const double* table = document.GetTable(Column::Input, 0);
    EXPECT_EQ(table[0], 1.0);
    EXPECT_EQ(table[128], 501.0);
    EXPECT_EQ(table[255], 997.0);
    EXPECT_EQ(document.GetTable(Column::Output, 0)[0], -1000.0);
    EXPECT_EQ(Patterns().front(), (std::vector<int32_t>{255, 0, 0}));
    const double present = table[77];
    EXPECT_EQ(document.Dequantize(document.Quantize(present, Column::Input, 0), Column::Input, 0), present);
}

TEST_F(ImportTest, IdentityTablesRoundUpToTheNextLevel)
{
    const struct {
        double value;
        uint8_t level;
    } cases[] = {{2.5, 3}, {3, 3}, {0, 0}, {-7, 0}, {254, 254}, {254.5, 255}, {1e9, 255},
                 {std::numeric_limits<double>::quiet_NaN(), 255}};
    for (const auto& c : cases)
        EXPECT_EQ(document.Quantize(c.value, Column::Input, 0), c.level) << c.value;
}

TEST(NumberReaderTest, OnlyWholeFiniteDecimalTokensAreNumbers)
{
    const struct {
        const char* token;
        bool accepted;
        double value;
    } cases[] = {
        {"1", true, 1},      {"-1.5", true, -1.5}, {"+2", true, 2},    {".5", true, 0.5},
        {"5.", true, 5},     {"1e2", true, 100},   {"-3E-1", true, -0.3},
        {"nan", false, 0},   {"inf", false, 0},    {"-Infinity", false, 0},
        {"0x1p3", false, 0}, {"1.5abc", false, 0}, {"1e400", false, 0}, {".", false, 0},
        {"-", false, 0},     {"1e", false, 0},     {"e5", false, 0},    {"1..2", false, 0},
        {"++1", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        double value = 0;
        const std::string token = c.token;
        EXPECT_EQ(ParseDecimalToken(token.data(), token.data() + token.size(), value), c.accepted);
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(value, c.value);
        }
    }
}

TEST(NumberReaderTest, TokensSpanningBufferBoundariesReadWhole)
{
    TempDir folder;
    std::string text;
    for (int32_t i = 0; i < 30000; ++i)
        text += std::to_string(i) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\t" : "\v\f ");
    WriteFile(folder.Path("n.txt"), text);
    NumberReader reader(folder.Path("n.txt"));
    double value = 0;
    int32_t expected = 0;
    while (reader.Next(value))
        ASSERT_EQ(value, expected++);
    EXPECT_EQ(expected, 30000);
}

TEST(TransformationTablesTest, SortingIsATotalOrderAndTheIndexIsWide)
{
    std::vector<double> zeros = {0.0, -0.0, 0.0, -0.0};
    std::vector<double> table(256);
    BuildTableFromColumn(zeros.data(), zeros.size(), table.data());
    EXPECT_TRUE(std::signbit(table[0]));
    EXPECT_FALSE(std::signbit(table[255]));

    // Beyond 8 421 504 values, t * n no longer fits in 31 bits.
    const size_t n = 8421505 + 1000;
    std::vector<double> values(n);
    for (size_t i = 0; i < n; ++i)
        values[i] = static_cast<double>(n - 1 - i);
    BuildTableFromColumn(values.data(), n, table.data());
    EXPECT_EQ(table[255], static_cast<double>(255 * n / 256));
}

TEST(TransformationTablesTest, BisectionAgreesWithTheScan)
{
    std::vector<double> sorted(256);
    for (int32_t level = 0; level < 256; ++level)
        sorted[static_cast<size_t>(level)] = (level / 3) * 0.5 - 20;
    std::vector<double> unsorted = sorted;
    unsorted[100] = -100;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto* table : {&sorted, &unsorted}) {
        const TableQuantizer quantizer(table->data());
        for (double value : {-1000.0, -20.0, -19.9, 0.0, 0.25, 5.0, 22.5, 1e9, nan, -0.0})
            EXPECT_EQ(quantizer(value), QuantizeThroughTable(table->data(), value)) << value;
    }
}
