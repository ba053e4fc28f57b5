#include <cmath>
#include <filesystem>
#include <limits>

#include "document/number_reader.h"
#include "document/transformation_tables.h"
#include "tests/document/document_fixture.h"

namespace {

// The levels of every pattern of a default document: four inputs, then two targets.
std::vector<std::vector<uint8_t>> Patterns(const CCorvinaDoc& document)
{
    std::vector<std::vector<uint8_t>> levels;
    for (const auto& pattern : document.GetPatterns())
        levels.emplace_back(pattern->GetData(), pattern->GetData() + 6);
    return levels;
}

}  // namespace

TEST_F(DocumentTest, CompleteRecordsBecomePatternsAndTheStatisticsAreReset)
{
    const std::pair<const char*, std::vector<std::vector<uint8_t>>> cases[] = {
        {"1 2 3 4 5 6 7 8 9 10 11 12", {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}},
        {"1\n2\n3\n4\n5\n6\n7", {{1, 2, 3, 4, 5, 6}}},
        {"1 2 x 4 5 6", {}},
        {"1 2 3 4 5 6 7abc 8 9 10 11 12", {{1, 2, 3, 4, 5, 6}}},
        {"+1 .5e1 5. -0 2.5 1e2 3 1e400 1 1 1 1", {{1, 5, 5, 0, 3, 100}}},
        {"", {}},
    };
    document.SetPassesCount(9);
    for (const auto& [text, patterns] : cases) {
        document.ImportTrainingData(DataFile("d.txt", text), false);
        EXPECT_EQ(Patterns(document), patterns) << text;
    }
    document.ImportTrainingData(folder.Path("missing.txt"), true);
    EXPECT_TRUE(Patterns(document).empty());
    EXPECT_EQ(document.Dequantize(7, Column::Input, 1), 7.0);
    EXPECT_EQ(document.GetPassesCount(), 0u);
    EXPECT_EQ(document.GetAverageError(), 10922);
    EXPECT_EQ(hints, std::vector<UpdateHint>(std::size(cases) + 1, UpdateHint::All));
    EXPECT_FALSE(document.IsModified());

    scripted.trainingData = {DataFile("e.txt", "1 2 3 4 5 6"), true};
    document.OnSelectTd();
    EXPECT_EQ(document.GetPatternsCount(), 1);
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(scripted.questions.empty());
}

TEST_F(DocumentTest, SelectTdKeepsTheDocumentWhenTheFileHoldsNoRecordAndNotesAnEarlyStop)
{
    std::filesystem::create_directory(folder.Path("sub"));
    document.ImportTrainingData(DataFile("old.txt", "1 2 3 4 5 6"), false);
    document.SetPassesCount(5);
    document.SetModifiedFlag(false);
    const std::string before = Save();
    hints.clear();
    const std::pair<std::string, std::string> refusals[] = {
        {folder.Path("missing.txt"), "The training data file " + folder.Path("missing.txt") +
                                         " cannot be read: No such file or directory."},
        {"", "No training data file was given."},
        {folder.Path("sub"), "cannot be read: Is a directory."},
        {DataFile("empty.txt", ""), "holds no complete record of 6 numbers."},
        {DataFile("x.txt", "1 2 x 4 5 6"), "holds no complete record of 6 numbers; reading stopped at line 1 at \"x\""},
    };
    for (const auto& [path, message] : refusals) {
        SCOPED_TRACE(path);
        scripted.trainingData = {path, true};
        scripted.stopMessages.clear();
        document.OnSelectTd();
        ASSERT_EQ(scripted.stopMessages.size(), 1u);
        EXPECT_NE(scripted.stopMessages[0].find(message), std::string::npos) << scripted.stopMessages[0];
        EXPECT_TRUE(Save() == before);
        EXPECT_FALSE(document.IsModified());
        EXPECT_TRUE(hints.empty());
    }
    EXPECT_TRUE(scripted.statusNotes.empty());

    const std::string stops = DataFile("stops.txt", "\xEF\xBB\xBF" "1 2 3 4 5 6\r\n7 8 9 10 11 12\n1,5 2 3 4 5 6\n");
    scripted.trainingData = {stops, false};
    document.OnSelectTd();
    EXPECT_EQ(Patterns(document), (std::vector<std::vector<uint8_t>>{{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}));
    EXPECT_EQ(scripted.statusNotes, std::vector<std::string>{"2 records read from " + stops +
                                                             "; reading stopped at line 3 at \"1,5\", which is not a number."});
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentTest, NewTablesHoldTheRanksOfTheSortedColumns)
{
    std::string text;
    for (int32_t value = 1000; value >= 1; --value)
        text += std::to_string(value) + " 0 0 0 0 " + std::to_string(-value) + "\n";
    document.ImportTrainingData(DataFile("d.txt", text), true);
    const double* table = document.GetTable(Column::Input, 0);
    EXPECT_EQ(table[0], 1.0);
    EXPECT_EQ(table[128], 501.0);
    EXPECT_EQ(table[255], 997.0);
    EXPECT_EQ(document.GetTable(Column::Output, 1)[0], -1000.0);
    EXPECT_EQ(Patterns(document).front(), (std::vector<uint8_t>{255, 0, 0, 0, 0, 0}));
    EXPECT_EQ(document.Dequantize(document.Quantize(table[77], Column::Input, 0), Column::Input, 0), table[77]);
}

TEST(NumberReaderTest, OnlyWholeFiniteDecimalTokensAreNumbers)
{
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"1", 1},          {"-1.5", -1.5},   {"+2", 2},         {".5", 0.5},      {"5.", 5},
        {"1e2", 100},      {"-3E-1", -0.3},  {"nan", {}},       {"inf", {}},      {"-Infinity", {}},
        {"0x1p3", {}},     {"1.5abc", {}},   {"1e400", {}},     {".", {}},        {"-", {}},
        {"1e", {}},        {"e5", {}},       {"1..2", {}},      {"++1", {}},
    };
    for (const auto& [token, expected] : cases) {
        double value = 0;
        const std::string text = token;
        const bool accepted = ParseDecimalToken(text.data(), text.data() + text.size(), value);
        EXPECT_EQ(accepted ? std::optional<double>(value) : std::nullopt, expected) << text;
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
    EXPECT_FALSE(reader.Stop().IsEarly());
}

TEST(NumberReaderTest, ReadingEndsAtTheFirstByteNoNumberHasAndSaysWhere)
{
    using enum ReadingStop::Cause;
    const std::string longest(NumberReader::MaxTokenLength, '0');
    const struct {
        std::string text;
        size_t count;
        ReadingStop::Cause cause;
        int64_t line;
        std::string detail;
    } cases[] = {
        {"\xEF\xBB\xBF" "1 2", 2, EndOfFile, 1, ""},
        {"1 \xEF\xBB\xBF" "2", 1, NotANumber, 1, "\\xEF\\xBB\\xBF2"},
        {"1\n2\r\n3,5 4", 2, NotANumber, 3, "3,5"},
        {"1 2\n\n7abc", 2, NotANumber, 3, "7abc"},
        {std::string("5").append(3, '\0'), 0, NotANumber, 1, "5\\x00\\x00\\x00"},
        {std::string(longest).append(" 3"), 2, EndOfFile, 1, ""},
        {std::string(longest).append("1 3"), 0, NotANumber, 1, std::string(32, '0')},
        {std::string(200000, '7'), 0, NotANumber, 1, std::string(32, '7')},
        {std::string("1 ").append(100, 'x'), 1, NotANumber, 1, std::string(32, 'x')},
        {"\"quoted\\", 0, NotANumber, 1, "\\x22quoted\\x5C"},
    };
    TempDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        WriteFile(folder.Path("n.txt"), c.text);
        NumberReader reader(folder.Path("n.txt"));
        double value = 0;
        size_t count = 0;
        while (reader.Next(value))
            ++count;
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(reader.Stop().cause, c.cause);
        EXPECT_EQ(reader.Stop().line, c.line);
        EXPECT_EQ(reader.Stop().detail, c.detail);
        EXPECT_FALSE(reader.Next(value)) << "reading has ended for good";
    }
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

TEST(TransformationTablesTest, ALevelIsTheFirstEntryNotBelowTheValue)
{
    std::vector<double> table(256);
    FillIdentityTables(table.data(), 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, int32_t> cases[] = {{2.5, 3},   {3, 3},       {0, 0},     {-7, 0},
                                                {254, 254}, {254.5, 255}, {1e9, 255}, {nan, 255}};
    for (const auto& [value, level] : cases)
        EXPECT_EQ(QuantizeThroughTable(table.data(), value), level) << value;
    // With repeated entries, and once one entry breaks the order, the quantizer gives what the scan gives.
    for (bool sorted : {true, false}) {
        for (int32_t level = 0; level < 256; ++level)
            table[static_cast<size_t>(level)] = !sorted && level == 100 ? -100 : (level / 3) * 0.5 - 20;
        const TableQuantizer quantizer(table.data());
        for (double value : {-1000.0, -20.0, -19.9, 0.0, 0.25, 5.0, 22.5, 1e9, nan, -0.0})
            EXPECT_EQ(quantizer(value), QuantizeThroughTable(table.data(), value)) << value;
    }
}
