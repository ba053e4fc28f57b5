#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tests/document/document_fixture.h"

namespace {

// Enough records for a few reports of every step: the reading and the conversion report every
// ValuesPerProgressReport values and records.
constexpr int LongRecords = 70000;

std::string WriteRows(const std::string& path, int rows, int columns)
{
    std::ofstream out(path);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            out << (row * (column + 3)) % 97 << (column + 1 < columns ? ' ' : '\n');
    return path;
}

using Reports = std::vector<ScriptedUi::ProgressReport>;

// The steps in the order first reported.
std::vector<std::string> Steps(const Reports& reports)
{
    std::vector<std::string> steps;
    for (const auto& report : reports)
        if (steps.empty() || steps.back() != report.step)
            steps.push_back(report.step);
    return steps;
}

// Within each step, done only grows and never passes total.
void ExpectSteadyProgress(const Reports& reports)
{
    for (size_t index = 0; index < reports.size(); ++index) {
        EXPECT_LE(reports[index].done, reports[index].total) << reports[index].step;
        if (index > 0 && reports[index - 1].step == reports[index].step) {
            EXPECT_GT(reports[index].done, reports[index - 1].done) << reports[index].step;
        }
    }
}

// Importing with new tables reports the reading by bytes, one step per table column and the
// conversion by records; evaluating the same file reports the reading and the evaluation.
TEST_F(DocumentTest, LongImportAndEvaluationReportEveryStep)
{
    const std::string path = WriteRows(folder.Path("long.txt"), LongRecords, 6);
    scripted.trainingData = {path, true};
    document.OnSelectTd();
    ASSERT_EQ(document.GetPatternsCount(), LongRecords);
    EXPECT_EQ(scripted.workTitles, std::vector<std::string>{"Importing " + path});
    EXPECT_EQ(Steps(scripted.progressReports),
              (std::vector<std::string>{std::string(ReadingStep), std::string(TablesStep), std::string(ConvertingStep)}));
    ExpectSteadyProgress(scripted.progressReports);
    EXPECT_EQ(scripted.progressReports.front().total, std::filesystem::file_size(path));
    EXPECT_EQ(std::count_if(scripted.progressReports.begin(), scripted.progressReports.end(),
                            [](const auto& report) { return report.step == TablesStep; }),
              6);
    EXPECT_EQ(scripted.progressReports.back().total, static_cast<uint64_t>(LongRecords));

    scripted.progressReports.clear();
    const std::unique_ptr<WorkProgress> work = scripted.BeginWork("Evaluating");
    ASSERT_TRUE(document.EvaluateFile(path, 0, work.get()));
    EXPECT_EQ(Steps(scripted.progressReports),
              (std::vector<std::string>{std::string(ReadingStep), std::string(CCorvinaDoc::EvaluatingStep)}));
    ExpectSteadyProgress(scripted.progressReports);
    EXPECT_EQ(scripted.progressReports.back().total, static_cast<uint64_t>(LongRecords));
}

}  // namespace
