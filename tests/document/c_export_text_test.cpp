// The names, sizes and files of the export, checked without a compiler.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "document/c_export.h"
#include "document/c_export_files.h"
#include "document/c_identifier.h"
#include "tests/framework/temp_dir.h"
#include "tests/support/rows.h"

namespace {

struct NameCase {
    const char* name;  // the text to check
    bool usable;
    const char* fromStem;
};
PRINTS_AS_NAME(NameCase)

class CNameCase : public testing::TestWithParam<NameCase> {};

// A text is usable as it stands, or made into a usable name when it serves as a stem.
TEST_P(CNameCase, UsableAsItStandsAndMadeFromAStem)
{
    EXPECT_EQ(IsUsableCName(GetParam().name), GetParam().usable);
    EXPECT_EQ(CNameFromStem(GetParam().name), GetParam().fromStem);
    EXPECT_TRUE(IsUsableCName(CNameFromStem(GetParam().name)));
}

INSTANTIATE_TEST_SUITE_P(Names, CNameCase,
                         testing::Values(NameCase{"iris", true, "iris"}, NameCase{"Iris_2", true, "Iris_2"},
                                         NameCase{"x", true, "x"}, NameCase{"my-net 2", false, "my_net_2"},
                                         NameCase{"2layers", false, "net_2layers"},
                                         NameCase{"_hidden", false, "net__hidden"}, NameCase{"int", false, "net_int"},
                                         NameCase{"bool", false, "net_bool"}, NameCase{"", false, "net"},
                                         NameCase{"caf\xC3\xA9", false, "caf__"}, NameCase{"a.b", false, "a_b"}));

// Wiring columns take one byte up to 256 inputs, two up to 65536, four beyond; float tables take
// half the bytes of double ones.
TEST(CExportSizes, WiringWidensWithTheInputsAndOnlyShapesBeyondTheLimitAreRefused)
{
    EXPECT_EQ(CExportSizesOf(1, 256, 100, CTableType::Double).wiring, 768u);
    EXPECT_EQ(CExportSizesOf(1, 257, 100, CTableType::Double).wiring, 1542u);
    EXPECT_EQ(CExportSizesOf(1, 65537, 30000, CTableType::Double).wiring, 786444u);
    const CExportSizes iris = CExportSizesOf(3, 4, 3, CTableType::Float);
    EXPECT_EQ(std::vector<size_t>({iris.ConstantTotal(), iris.forwardWorking, iris.consultWorking}),
              std::vector<size_t>({60 + 12 + 1024 + 7 * 1024, 8, 7}));
    // Only shapes beyond the limit of constant data are refused.
    EXPECT_FALSE(CExportRefusal(3, 4, 3, CTableType::Double));
    EXPECT_FALSE(CExportRefusal(1, 20000, 20000, CTableType::Float));
    EXPECT_EQ(CExportRefusal(1, 20000, 20000, CTableType::Double),
              "the network needs 82201024 bytes of constant data, more than the 67108864 that the C export writes");
}

// A source name cannot end the comment it is shown in.
TEST(CExportText, CommentsCannotBeClosedByTheSourceName)
{
    const CExportModel model{.layers = 1, .inputs = 1, .outputs = 1, .weights = std::vector<uint8_t>(8, 7),
                             .inputTables = std::vector<double>(256, 0.5), .outputTables = std::vector<double>(256, 0.0),
                             .source = "evil*/ int x; /*.cvn\n#define"};
    const std::string header = GenerateCExport(model, {"net", CTableType::Double}).header;
    const size_t shown = header.find("evil* / int x; / *.cvn?#define");
    ASSERT_NE(shown, std::string::npos);
    EXPECT_GT(header.find("*/"), shown);
    EXPECT_EQ(header.substr(0, header.find("*/")).find("/*", 2), std::string::npos);
}

// Both files replace old ones; a failure names its cause and leaves no temporary file behind.
TEST(CExportFiles, WriteBothOrSayWhatWasWritten)
{
    TempDir dir;
    const CExportFiles files{"header text", "source text"};
    std::string error;
    WriteFile(dir.Path("net.c"), "old source");
    ASSERT_TRUE(WriteCExportFiles(dir.Root().string(), "net", files, error)) << error;
    EXPECT_EQ(ReadFile(dir.Path("net.h")) + "|" + ReadFile(dir.Path("net.c")), "header text|source text");
    EXPECT_FALSE(WriteCExportFiles(dir.Path("net.c"), "net", files, error));
    EXPECT_NE(error.find("is not a folder"), std::string::npos) << error;

    // A folder where the header should go cannot be replaced: nothing changes.
    std::filesystem::remove(dir.Path("net.h"));
    std::filesystem::create_directory(dir.Path("net.h"));
    WriteFile(dir.Path("net.c"), "old source");
    EXPECT_FALSE(WriteCExportFiles(dir.Root().string(), "net", files, error));
    EXPECT_NE(error.find("net.h"), std::string::npos) << error;
    EXPECT_EQ(ReadFile(dir.Path("net.c")), "old source");
    EXPECT_EQ(DirectoryEntries(dir.Root()).size(), 2u) << "net.c and net.h alone";

    // A folder where the source should go: the header is written, and the message says so.
    std::filesystem::remove(dir.Path("net.h"));
    std::filesystem::remove(dir.Path("net.c"));
    std::filesystem::create_directory(dir.Path("net.c"));
    EXPECT_FALSE(WriteCExportFiles(dir.Root().string(), "net", files, error));
    EXPECT_NE(error.find("net.h was already written"), std::string::npos) << error;
    EXPECT_EQ(ReadFile(dir.Path("net.h")), "header text");
    EXPECT_EQ(DirectoryEntries(dir.Root()).size(), 2u) << "net.c and net.h alone";
}

}  // namespace
