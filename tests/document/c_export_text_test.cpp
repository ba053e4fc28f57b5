// What the export writes, checked on its text and its files without a compiler.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "document/c_export.h"
#include "document/c_export_files.h"
#include "document/c_identifier.h"
#include "tests/framework/temp_dir.h"

namespace {

struct NameCase {
    const char* text;
    bool usable;
    const char* fromStem;
};

// Each row: a text, whether it is usable as it stands, and the name made from it as a stem.
const NameCase NameCases[] = {
    {"iris", true, "iris"},
    {"Iris_2", true, "Iris_2"},
    {"x", true, "x"},
    {"my-net 2", false, "my_net_2"},
    {"2layers", false, "net_2layers"},
    {"_hidden", false, "net__hidden"},
    {"int", false, "net_int"},
    {"bool", false, "net_bool"},
    {"", false, "net"},
    {"caf\xC3\xA9", false, "caf__"},
    {"a.b", false, "a_b"},
};

void PrintTo(const NameCase& row, std::ostream* out)
{
    *out << '"' << row.text << '"';
}

class CNameCase : public testing::TestWithParam<NameCase> {};

TEST_P(CNameCase, UsableAsItStandsAndMadeFromAStem)
{
    const NameCase& row = GetParam();
    EXPECT_EQ(IsUsableCName(row.text), row.usable);
    EXPECT_EQ(CNameFromStem(row.text), row.fromStem);
    EXPECT_TRUE(IsUsableCName(CNameFromStem(row.text)));
}

INSTANTIATE_TEST_SUITE_P(Names, CNameCase, testing::ValuesIn(NameCases));

CExportModel ModelOfShape(int32_t layers, int32_t inputs, int32_t outputs)
{
    CExportModel model;
    model.layers = layers;
    model.inputs = inputs;
    model.outputs = outputs;
    model.weights.assign(static_cast<size_t>(layers * inputs + outputs) * 4, 7);
    model.inputTables.assign(static_cast<size_t>(inputs) * 256, 0.5);
    model.outputTables.assign(static_cast<size_t>(outputs) * 256, -0.0);
    model.source = "net.cvn";
    return model;
}

struct SizeCase {
    int32_t layers, inputs, outputs;
    CTableType tables;
    size_t constant, wiring, forward, consult;
};

// Wiring columns take one byte up to 256 inputs, two up to 65536, four beyond.
const SizeCase SizeCases[] = {
    {3, 4, 3, CTableType::Double, 60 + 12 + 1024 + 4 * 2048 + 3 * 2048, 12, 8, 7},
    {3, 4, 3, CTableType::Float, 60 + 12 + 1024 + 4 * 1024 + 3 * 1024, 12, 8, 7},
    {1, 256, 100, CTableType::Double, 4 * 356 + 768 + 1024 + 356 * 2048, 768, 512, 356},
    {1, 257, 100, CTableType::Double, 4 * 357 + 1542 + 1024 + 357 * 2048, 1542, 514, 357},
    {1, 65537, 30000, CTableType::Double, 4 * 95537 + 786444 + 1024 + size_t{95537} * 2048, 786444, 131074, 95537},
};

void PrintTo(const SizeCase& row, std::ostream* out)
{
    *out << row.layers << "/" << row.inputs << "/" << row.outputs << (row.tables == CTableType::Float ? " float" : "");
}

class CExportSizeCase : public testing::TestWithParam<SizeCase> {};

TEST_P(CExportSizeCase, ConstantDataAndWorkingMemory)
{
    const SizeCase& row = GetParam();
    CExportModel model;
    model.layers = row.layers;
    model.inputs = row.inputs;
    model.outputs = row.outputs;
    const CExportSizes sizes = CExportSizesOf(model, row.tables);
    EXPECT_EQ(sizes.ConstantTotal(), row.constant);
    EXPECT_EQ(sizes.wiring, row.wiring);
    EXPECT_EQ(sizes.forwardWorking, row.forward);
    EXPECT_EQ(sizes.consultWorking, row.consult);
}

INSTANTIATE_TEST_SUITE_P(Shapes, CExportSizeCase, testing::ValuesIn(SizeCases));

TEST(CExportRefusal, OnlyShapesBeyondTheConstantDataLimit)
{
    EXPECT_FALSE(CExportRefusal(3, 4, 3, CTableType::Double));
    EXPECT_FALSE(CExportRefusal(1, 20000, 20000, CTableType::Float));
    const std::optional<std::string> refusal = CExportRefusal(1, 20000, 20000, CTableType::Double);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, "the network needs 82201024 bytes of constant data, more than the 67108864 that the C "
                        "export writes");
}

// The text of one function of the source, from its signature to its closing brace.
std::string FunctionText(const std::string& source, const std::string& signature)
{
    const size_t start = source.find(signature);
    if (start == std::string::npos)
        return {};
    return source.substr(start, source.find("\n}\n", start) - start);
}

TEST(CExportText, HeaderDeclaresTheInterfaceAndSaysItsSizes)
{
    const CExportModel model = ModelOfShape(3, 4, 3);
    const CExportFiles files = GenerateCExport(model, {"iris", CTableType::Double});
    for (const char* line : {"#define iris_INPUTS 4\n", "#define iris_OUTPUTS 3\n",
                             "void iris_forward(const uint8_t *in_levels, uint8_t *out_levels);\n",
                             "void iris_consult(const double *in, double *out);\n", "#include <stdint.h>\n"})
        EXPECT_NE(files.header.find(line), std::string::npos) << line;
    // Both files open with the same summary.
    for (const char* line : {" * iris.h: the network net.cvn as standalone C99",
                             " * Constant data: 15432 bytes (weights 60, wiring 12, activation thresholds\n",
                             " * Working memory on the stack: 8 bytes of levels in iris_forward, 7 more in\n"}) {
        EXPECT_LT(files.header.find(line), files.header.find("*/")) << line;
        const std::string inSource = std::regex_replace(line, std::regex("iris\\.h"), "iris.c");
        EXPECT_LT(files.source.find(inSource), files.source.find("*/")) << line;
    }
    // Nothing but the two headers of fixed-width types, and no allocation.
    const std::regex include("#include <([^>]*)>");
    for (auto match = std::sregex_iterator(files.source.begin(), files.source.end(), include);
         match != std::sregex_iterator(); ++match) {
        EXPECT_TRUE((*match)[1] == "stdint.h" || (*match)[1] == "stddef.h") << (*match)[1];
    }
    EXPECT_EQ(files.source.find("malloc"), std::string::npos);
}

TEST(CExportText, ForwardPassUsesNoFloatingPointAndFloatTablesNoDouble)
{
    const CExportModel model = ModelOfShape(2, 3, 2);
    const CExportFiles exact = GenerateCExport(model, {"net", CTableType::Double});
    const std::string forward = FunctionText(exact.source, "void net_forward(");
    ASSERT_FALSE(forward.empty());
    EXPECT_EQ(forward.find("double"), std::string::npos);
    EXPECT_EQ(forward.find("float"), std::string::npos);
    EXPECT_EQ(forward.find("real"), std::string::npos);

    const CExportFiles rounded = GenerateCExport(model, {"net", CTableType::Float});
    EXPECT_NE(rounded.header.find("void net_consult(const float *in, float *out);"), std::string::npos);
    // The header's comment may speak of double; the code may not use it.
    EXPECT_EQ(rounded.source.find("double", rounded.source.find("*/")), std::string::npos);
}

TEST(CExportText, CommentsCannotBeClosedByTheSourceName)
{
    CExportModel model = ModelOfShape(1, 1, 1);
    model.source = "evil*/ int x; /*.cvn\n#define";
    const CExportFiles files = GenerateCExport(model, {"net", CTableType::Double});
    const size_t shown = files.header.find("evil* / int x; / *.cvn?#define");
    ASSERT_NE(shown, std::string::npos);
    EXPECT_GT(files.header.find("*/"), shown);
    EXPECT_EQ(files.header.substr(0, files.header.find("*/")).find("/*", 2), std::string::npos);
}

class CExportFilesTest : public testing::Test {
protected:
    // The names in the folder: a failed export leaves no temporary file.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& [name, entry] : DirectoryEntries(dir.Root()))
            names.push_back(name);
        return names;
    }

    TempDir dir;
    CExportFiles files{"header text", "source text"};
    std::string error;
};

TEST_F(CExportFilesTest, WritesBothReplacingOldOnesOrRefusesAFolderThatIsNone)
{
    WriteFile(dir.Path("net.c"), "old source");
    ASSERT_TRUE(WriteCExportFiles(dir.Root().string(), "net", files, error)) << error;
    EXPECT_EQ(ReadFile(dir.Path("net.h")), "header text");
    EXPECT_EQ(ReadFile(dir.Path("net.c")), "source text");
    EXPECT_FALSE(WriteCExportFiles(dir.Path("missing"), "net", files, error));
    EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
    EXPECT_FALSE(WriteCExportFiles(dir.Path("net.c"), "net", files, error));
    EXPECT_NE(error.find("is not a folder"), std::string::npos) << error;
    EXPECT_EQ(Names(), (std::vector<std::string>{"net.c", "net.h"}));
}

TEST_F(CExportFilesTest, AFailureLeavesNoTemporaryAndNoPartialFile)
{
    // A folder where the header should go cannot be replaced: nothing changes.
    std::filesystem::create_directory(dir.Path("net.h"));
    WriteFile(dir.Path("net.c"), "old source");
    EXPECT_FALSE(WriteCExportFiles(dir.Root().string(), "net", files, error));
    EXPECT_NE(error.find("net.h"), std::string::npos) << error;
    EXPECT_EQ(ReadFile(dir.Path("net.c")), "old source");
    EXPECT_EQ(Names(), (std::vector<std::string>{"net.c", "net.h"}));

    // A folder where the source should go: the header is written, and the message says so.
    std::filesystem::remove(dir.Path("net.h"));
    std::filesystem::remove(dir.Path("net.c"));
    std::filesystem::create_directory(dir.Path("net.c"));
    EXPECT_FALSE(WriteCExportFiles(dir.Root().string(), "net", files, error));
    EXPECT_NE(error.find("net.h was already written"), std::string::npos) << error;
    EXPECT_EQ(Names(), (std::vector<std::string>{"net.c", "net.h"}));
}

}  // namespace
