#include "document/transformation_tables.h"
#include "tests/document/document_fixture.h"

namespace {

using Levels = std::vector<std::vector<uint8_t>>;

// The levels of every pattern of a default document: four inputs, then two targets.
Levels Patterns(const CCorvinaDoc& document)
{
    Levels levels;
    for (const auto& pattern : document.Model().GetPatterns())
        levels.emplace_back(pattern->GetData(), pattern->GetData() + 6);
    return levels;
}

struct RecordsRow {
    const char* name;
    const char* text;
    Levels patterns;
};
PRINTS_AS_NAME(RecordsRow)

class RecordsTest : public DocumentTest, public testing::WithParamInterface<RecordsRow> {};

// Through identity tables: complete records become patterns, reading ends at the first token
// that is no number, and the statistics are reset.
TEST_P(RecordsTest, CompleteRecordsBecomePatterns)
{
    document.Model().RestoreStatistics(9, 500);
    Import(GetParam().text);
    EXPECT_EQ(Patterns(document), GetParam().patterns);
    EXPECT_EQ(document.GetPassesCount(), 0u);
    EXPECT_EQ(document.GetAverageError(), 10922);
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::All});
    EXPECT_FALSE(document.IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Files, RecordsTest,
    testing::Values(RecordsRow{"TwoRecords", "1 2 3 4 5 6 7 8 9 10 11 12", {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}},
                    RecordsRow{"OneNumberALine", "1\n2\n3\n4\n5\n6\n7", {{1, 2, 3, 4, 5, 6}}},
                    RecordsRow{"NoNumberInTheSecond", "1 2 3 4 5 6 7abc 8 9 10 11 12", {{1, 2, 3, 4, 5, 6}}},
                    RecordsRow{"Notations", "+1 .5e1 5. -0 2.5 1e2 3 1e400 1 1 1 1", {{1, 5, 5, 0, 3, 100}}},
                    RecordsRow{"BeyondTheTable", "-7 254 254.5 1e9 0 2.0001", {{0, 254, 255, 255, 0, 3}}}),
    RowName());

struct RefusedFileRow {
    const char* name;
    const char* file;  // in the test's folder; "" for no path at all
    const char* text;  // written there, unless null
    const char* message;
};
PRINTS_AS_NAME(RefusedFileRow)

class SelectTdRefusalTest : public DocumentTest, public testing::WithParamInterface<RefusedFileRow> {};

// A file that cannot be read or holds no complete record is reported and changes nothing.
TEST_P(SelectTdRefusalTest, KeepsTheDocument)
{
    Import("1 2 3 4 5 6");
    const std::string before = Save();
    hints.clear();
    const RefusedFileRow& row = GetParam();
    const std::string path = *row.file == '\0' ? "" : row.text ? DataFile(row.file, row.text) : folder.Path(row.file);
    scripted.trainingData = {path, true};
    document.OnSelectTd();
    ASSERT_EQ(scripted.stopMessages.size(), 1u);
    EXPECT_NE(scripted.stopMessages[0].find(row.message), std::string::npos) << scripted.stopMessages[0];
    EXPECT_TRUE(Save() == before);
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(hints.empty());
    EXPECT_TRUE(scripted.statusNotes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, SelectTdRefusalTest,
    testing::Values(RefusedFileRow{"Missing", "missing.txt", nullptr, "missing.txt cannot be read: No such file or directory."},
                    RefusedFileRow{"NoPath", "", nullptr, "No training data file was given."},
                    RefusedFileRow{"Folder", ".", nullptr, "cannot be read: Is a directory."},
                    RefusedFileRow{"Empty", "empty.txt", "", "holds no complete record of 6 numbers."},
                    RefusedFileRow{"NoNumber", "x.txt", "1 2 x 4 5 6",
                                   "holds no complete record of 6 numbers; reading stopped at line 1 at \"x\""}),
    RowName());

TEST_F(DocumentTest, SelectTdImportsAndNotesAnEarlyStop)
{
    const std::string stops = DataFile("stops.txt", "\xEF\xBB\xBF" "1 2 3 4 5 6\r\n7 8 9 10 11 12\n1,5 2 3 4 5 6\n");
    scripted.trainingData = {stops, false};
    document.OnSelectTd();
    EXPECT_EQ(Patterns(document), (Levels{{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}));
    EXPECT_EQ(scripted.statusNotes, std::vector<std::string>{"2 records read from " + stops +
                                                             "; reading stopped at line 3 at \"1,5\", which is not a number."});
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(scripted.questions.empty());
}

TEST_F(DocumentTest, NewTablesHoldTheRanksOfTheSortedColumns)
{
    std::string text;
    for (int32_t value = 1000; value >= 1; --value)
        text += std::to_string(value) + " 0 0 0 0 " + std::to_string(-value) + "\n";
    Import(text, true);
    const double* table = document.Model().GetTable(Column::Input, 0);
    EXPECT_EQ(table[0], 1.0);
    EXPECT_EQ(table[128], 501.0);
    EXPECT_EQ(table[255], 997.0);
    EXPECT_EQ(document.Model().GetTable(Column::Output, 1)[0], -1000.0);
    EXPECT_EQ(Patterns(document).front(), (std::vector<uint8_t>{255, 0, 0, 0, 0, 0}));
    EXPECT_EQ(document.Dequantize(document.Quantize(table[77], Column::Input, 0), Column::Input, 0), table[77]);
    // No record keeps the tables, even when new ones are asked for.
    Import("", true);
    EXPECT_EQ(document.Model().GetTable(Column::Input, 0)[128], 501.0);
}

}  // namespace
