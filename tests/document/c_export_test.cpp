// The exported C code is compiled with real C compilers and run on thousands of rows: every
// table entry and its neighbouring doubles, infinities, NaN and -0. Its answers must equal the
// model's own, bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "document/c_export.h"
#include "document/c_export_adapter.h"
#include "document/c_export_files.h"
#include "document/network_model.h"
#include "document/real_format.h"
#include "document/training_import.h"
#include "document/transformation_tables.h"
#include "engine/random_source.h"
#include "tests/framework/temp_dir.h"
#include "tests/support/rows.h"

namespace {

struct ExportShape {
    const char* name;
    int32_t layers;
    int32_t inputs;
    int32_t outputs;
    int32_t records;  // fewer than the levels give tables with runs of equal entries
    bool damaged;     // tables as a damaged file may hold them: out of order, NaN, infinities, -0
};

struct Compiler {
    const char* name;
    const char* path;  // empty when the build found none
    const char* flags;
};

PRINTS_AS_NAME(ExportShape)
PRINTS_AS_NAME(Compiler)

constexpr ExportShape Shapes[] = {
    {"Default", 5, 4, 2, 1500, false},
    {"Iris", 3, 4, 3, 100, false},
    {"OneInput", 1, 1, 1, 1500, false},
    {"OneInputTwoOutputs", 4, 1, 2, 100, false},
    {"MoreOutputsThanInputs", 2, 2, 5, 1500, false},
    {"Deep", 60, 3, 2, 1500, false},
    {"Wide", 2, 257, 90, 1500, false},
    {"DamagedTables", 2, 3, 2, 1500, true},
};

const Compiler Compilers[] = {
    {"gcc", CORVINA_GCC, ""},
    {"clang", CORVINA_CLANG, ""},
    {"gcc32", CORVINA_GCC, "-m32"},
};

constexpr const char* StrictFlags = "-std=c99 -Wall -Wextra -Werror -pedantic -O2";

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

// True when the compiler builds and runs a trivial program with these flags (a 32-bit run
// needs the multilib packages).
bool CompilerWorks(const Compiler& compiler, const TempDir& dir)
{
    if (*compiler.path == '\0')
        return false;
    WriteFile(dir.Path("probe.c"), "int main(void) { return 0; }\n");
    const std::string command = Quoted(compiler.path) + " " + compiler.flags + " " + Quoted(dir.Path("probe.c")) + " -o " +
                                Quoted(dir.Path("probe")) + " >/dev/null 2>&1 && " + Quoted(dir.Path("probe"));
    return std::system(command.c_str()) == 0;
}

using Rows = std::vector<std::vector<double>>;

// The rows as text that reads back to the same doubles.
std::string RowsAsText(const Rows& rows)
{
    std::string text;
    for (const std::vector<double>& row : rows) {
        for (double value : row)
            text += FormatShortestReal(value) + " ";
        text += "\n";
    }
    return text;
}

// Training data for a shape: real values of very different scales per column, some rounded so
// that values repeat.
RawRecords Records(const ExportShape& shape)
{
    std::mt19937 random(static_cast<uint32_t>(shape.inputs));
    std::normal_distribution<double> normal;
    RawRecords records;
    records.count = static_cast<size_t>(shape.inputs + shape.outputs);
    const size_t values = records.count * static_cast<size_t>(shape.records);
    for (size_t index = 0; index < values; ++index) {
        const auto column = static_cast<int32_t>(index % records.count);
        const double scale = std::pow(10.0, column % 7 - 3);
        const double value = normal(random) * scale + (column % 3 - 1) * scale;
        records.values.push_back(column % 4 == 3 ? std::round(value / scale * 4) * scale / 4 : value);
    }
    return records;
}

// Puts out-of-order entries, NaN, infinities and both zeros into the tables, and makes output 0
// answer -0, NaN and infinity for most levels.
void DamageTables(NetworkModel& network)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    double* input0 = network.GetTable(Column::Input, 0);
    input0[10] = nan;
    input0[20] = -infinity;
    input0[30] = input0[200];
    double* input1 = network.GetTable(Column::Input, 1);
    input1[0] = -0.0;
    input1[1] = 0.0;
    input1[2] = -0.0;
    input1[254] = infinity;
    double* output0 = network.GetTable(Column::Output, 0);
    const double specials[4] = {output0[0], -0.0, nan, -infinity};
    for (int32_t level = 0; level < TableLength; ++level)
        output0[level] = level % 4 == 0 ? output0[level] : specials[level % 4];
    network.GetTable(Column::Output, 1)[255] = -nan;
}

void MakeNetwork(NetworkModel& network, const ExportShape& shape)
{
    network.CreateNetwork(shape.layers, shape.inputs, shape.outputs);
    RandomSource random(static_cast<uint64_t>(shape.layers * 1000 + shape.inputs * 10 + shape.outputs));
    network.GetNet().Randomize(random);
    network.ImportRecords(Records(shape), true);
    if (shape.damaged)
        DamageTables(network);
}

// Rows that put every entry of every input table, the doubles on either side of it and a few
// values far out through the network, in varying company.
Rows FiniteRows(const NetworkModel& network)
{
    const double infinity = std::numeric_limits<double>::infinity();
    std::vector<std::vector<double>> columns;
    size_t longest = 0;
    for (int32_t input = 0; input < network.GetInputCount(); ++input) {
        columns.push_back({0.0, -0.0, std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::min()});
        const double* table = network.GetTable(Column::Input, input);
        for (const double entry : std::span(table, TableLength))
            for (double value : {entry, std::nextafter(entry, -infinity), std::nextafter(entry, infinity)})
                if (std::isfinite(entry) && std::isfinite(value))
                    columns.back().push_back(value);
        longest = std::max(longest, columns.back().size());
    }
    Rows rows(3 * longest);
    for (size_t row = 0; row < rows.size(); ++row) {
        for (size_t input = 0; input < columns.size(); ++input)
            rows[row].push_back(columns[input][(row * (2 * input + 1) + input * 7) % columns[input].size()]);
    }
    return rows;
}

// Adds rows with an infinity or a NaN in each column in turn among finite rows, and rows of
// nothing else.
void AddSpecialRows(Rows& rows)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const size_t finite = rows.size();
    for (double special : {infinity, -infinity, nan, -nan}) {
        rows.emplace_back(rows.front().size(), special);
        for (size_t input = 0; input < rows.front().size(); ++input) {
            std::vector<double> row = rows[(rows.size() * 37) % finite];
            row[input] = special;
            rows.push_back(row);
        }
    }
}

// The values as the raw REALs the harness reads and writes.
template <typename Real>
std::string Raw(const Rows& rows)
{
    std::string bytes;
    for (const std::vector<double>& row : rows) {
        for (double value : row) {
            const auto real = static_cast<Real>(value);
            bytes.append(reinterpret_cast<const char*>(&real), sizeof real);
        }
    }
    return bytes;
}

class CExportRun : public testing::TestWithParam<std::tuple<ExportShape, Compiler>> {
protected:
    void SetUp() override
    {
        shape = std::get<0>(GetParam());
        compiler = std::get<1>(GetParam());
        if (!CompilerWorks(compiler, dir))
            GTEST_SKIP() << compiler.name << " cannot build and run programs here";
        MakeNetwork(network, shape);
    }

    // Exports the document as "net", compiles it with the strict flags and links the harness.
    void Build(CTableType tables)
    {
        CExportOptions options{"net", tables};
        std::string error;
        ASSERT_TRUE(WriteCExportFiles(dir.Root().string(), "net", GenerateCExport(CExportModelOf(network, "net.cvn"), options),
                                      error))
            << error;
        const std::string command = Quoted(compiler.path) + " " + StrictFlags + " " + compiler.flags +
                                    (tables == CTableType::Float ? " -DREAL=float" : "") + " -I " +
                                    Quoted(dir.Root().string()) + " " + Quoted(dir.Path("net.c")) + " " +
                                    Quoted(std::string(CORVINA_TEST_DATA) + "/c_export_harness.c") + " -o " +
                                    Quoted(dir.Path("harness")) + " 2>" + Quoted(dir.Path("compile.log"));
        ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(dir.Path("compile.log"));
    }

    // Runs the harness on rows and returns the raw answers, leaving the text in answers.txt.
    template <typename Real>
    std::string Consult(const Rows& rows)
    {
        WriteFile(dir.Path("rows.bin"), Raw<Real>(rows));
        const std::string command = Quoted(dir.Path("harness")) + " consult " + Quoted(dir.Path("rows.bin")) + " " +
                                    Quoted(dir.Path("answers.bin")) + " " + Quoted(dir.Path("answers.txt"));
        EXPECT_EQ(std::system(command.c_str()), 0);
        return ReadFile(dir.Path("answers.bin"));
    }

    ExportShape shape{};
    Compiler compiler{};
    TempDir dir;
    NetworkModel network;
};

TEST_P(CExportRun, ConsultAnswersAsTheModelBitForBit)
{
    ASSERT_NO_FATAL_FAILURE(Build(CTableType::Double));
    Rows rows = FiniteRows(network);
    ASSERT_GE(rows.size(), 2000u);

    // The batch consultation reads finite decimal numbers only; its file must match byte for byte.
    WriteFile(dir.Path("rows.txt"), RowsAsText(rows));
    const NetworkModel::BatchOutcome batch = network.ConsultFile(dir.Path("rows.txt"), dir.Path("network.txt"));
    ASSERT_TRUE(batch.written) << batch.error;
    EXPECT_EQ(batch.rows, rows.size());
    Consult<double>(rows);
    EXPECT_TRUE(ReadFile(dir.Path("answers.txt")) == ReadFile(dir.Path("network.txt")));

    AddSpecialRows(rows);
    Rows expected;
    for (const std::vector<double>& row : rows)
        expected.push_back(network.Consult(row));
    EXPECT_TRUE(Consult<double>(rows) == Raw<double>(expected)) << "rows: " << rows.size();
}

// With float tables the export answers as the model does with every table entry rounded to float.
TEST_P(CExportRun, FloatTablesAnswerAsEntriesRoundedToFloat)
{
    ASSERT_NO_FATAL_FAILURE(Build(CTableType::Float));
    double* tables = network.GetTable(Column::Input, 0);  // the columns' tables lie one after another
    std::transform(tables, tables + shape.inputs * TableLength, tables, [](double entry) { return static_cast<float>(entry); });
    Rows rows = FiniteRows(network);
    AddSpecialRows(rows);
    Rows expected;
    for (std::vector<double>& row : rows) {
        std::transform(row.begin(), row.end(), row.begin(), [](double value) { return static_cast<float>(value); });
        expected.push_back(network.Consult(row));
    }
    EXPECT_TRUE(Consult<float>(rows) == Raw<float>(expected));
}

INSTANTIATE_TEST_SUITE_P(Shapes, CExportRun, testing::Combine(testing::ValuesIn(Shapes), testing::ValuesIn(Compilers)),
                         [](const auto& row) {
                             return std::string(std::get<0>(row.param).name) + "_" + std::get<1>(row.param).name;
                         });

}  // namespace
