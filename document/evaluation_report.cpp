#include "document/evaluation_report.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "document/real_format.h"

namespace {

std::string JsonNumber(double value)
{
    return std::isfinite(value) ? FormatShortestReal(value) : std::string("null");
}

std::string ReadableNumber(double value)
{
    return std::isfinite(value) ? FormatReal(value, RealNotation::General) : std::string("-");
}

// Rows of cells, right-aligned in columns as wide as their widest cell, two blanks apart.
std::string AlignedRows(const std::vector<std::vector<std::string>>& rows)
{
    std::vector<size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    std::string text;
    for (const auto& row : rows) {
        for (size_t c = 0; c < row.size(); ++c) {
            text += "  ";
            text.append(widths[c] - row[c].size(), ' ');
            text += row[c];
        }
        text += '\n';
    }
    return text;
}

std::string ConfusionTable(const ClassFigures& figures)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> heading{""};
    for (int32_t j = 0; j < figures.classes; ++j)
        heading.push_back(std::to_string(j));
    rows.push_back(heading);
    for (int32_t i = 0; i < figures.classes; ++i) {
        std::vector<std::string> row{std::to_string(i)};
        for (int32_t j = 0; j < figures.classes; ++j)
            row.push_back(std::to_string(figures.Cell(i, j)));
        rows.push_back(row);
    }
    return AlignedRows(rows);
}

}  // namespace

std::string FormatEvaluationJson(const Evaluation& evaluation)
{
    std::string json = "{\"records\": " + std::to_string(evaluation.records) +
                       ", \"level_error\": " + JsonNumber(evaluation.levelError) + ", \"outputs\": [";
    for (size_t t = 0; t < evaluation.outputErrors.size(); ++t) {
        const OutputErrors& errors = evaluation.outputErrors[t];
        json += t == 0 ? "" : ", ";
        json += "{\"mae\": " + JsonNumber(errors.mae) + ", \"rmse\": " + JsonNumber(errors.rmse) + "}";
    }
    json += "]";
    if (const auto& figures = evaluation.classFigures) {
        json += ", \"accuracy\": " + JsonNumber(figures->accuracy) +
                ", \"undecided\": " + std::to_string(figures->undecided) + ", \"confusion\": [";
        for (int32_t i = 0; i < figures->classes; ++i) {
            json += i == 0 ? "[" : ", [";
            for (int32_t j = 0; j < figures->classes; ++j)
                json += (j == 0 ? "" : ", ") + std::to_string(figures->Cell(i, j));
            json += "]";
        }
        json += "]";
    }
    return json + "}\n";
}

std::string FormatEvaluationTable(const Evaluation& evaluation)
{
    std::string text = "Records evaluated: " + std::to_string(evaluation.records) + "\n" +
                       "Level error:       " + ReadableNumber(evaluation.levelError) +
                       " (mean squared level error over outputs, as the average error)\n";
    std::vector<std::vector<std::string>> rows{{"Output", "MAE", "RMSE"}};
    for (size_t t = 0; t < evaluation.outputErrors.size(); ++t) {
        const OutputErrors& errors = evaluation.outputErrors[t];
        rows.push_back({std::to_string(t), ReadableNumber(errors.mae), ReadableNumber(errors.rmse)});
    }
    text += AlignedRows(rows);
    if (const auto& figures = evaluation.classFigures) {
        text += "Accuracy:          " + ReadableNumber(figures->accuracy) + " (" + std::to_string(figures->correct) +
                " of " + std::to_string(evaluation.records) + " records)\n";
        if (figures->undecided != 0)
            text += "Undecided:         " + std::to_string(figures->undecided) +
                    " (a tie for the greatest class; counted as misses)\n";
        text += "Confusion matrix (rows: true class, columns: predicted class):\n" + ConfusionTable(*figures);
    }
    return text;
}
