#include "document/corvina_doc.h"

#include <cstdio>
#include <vector>

#include "document/consultation.h"
#include "document/number_reader.h"
#include "document/real_format.h"
#include "document/transformation_tables.h"

std::string CCorvinaDoc::ConsultSingle()
{
    for (int32_t i = 0; i < GetInputCount(); ++i)
        patternBuffer->SetInput(i, Quantize(consultValues[static_cast<size_t>(i)], Column::Input, i));
    net->Forward();
    return FormatConsultReport(*this);
}

namespace {

// Writes the outputs of the last forward pass as one line: %g values, single blanks.
bool WriteOutputLine(std::FILE* out, const CCorvinaDoc& document)
{
    const int32_t outputs = document.GetOutputCount();
    const PatternBuffer& buffer = document.GetPatternBuffer();
    for (int32_t j = 0; j < outputs; ++j) {
        const double value = document.Dequantize(buffer.GetOutput(j), Column::Output, j);
        const std::string text = FormatReal(value, RealNotation::General) + (j + 1 < outputs ? " " : "\n");
        if (std::fputs(text.c_str(), out) < 0)
            return false;
    }
    return true;
}

}  // namespace

bool CCorvinaDoc::ConsultFile(const std::string& inputPath, const std::string& outputPath,
                              std::string& error)
{
    if (IsSameFile(inputPath, outputPath)) {
        error = "The output file \"" + outputPath + "\" is the input file; choose another output file.";
        return false;
    }
    NumberReader reader(inputPath);
    std::FILE* out = std::fopen(outputPath.c_str(), "w");
    if (out == nullptr) {
        error = "The output file \"" + outputPath + "\" cannot be created.";
        return false;
    }
    const int32_t inputs = GetInputCount();
    std::vector<TableQuantizer> columns;
    for (int32_t i = 0; i < inputs; ++i)
        columns.emplace_back(GetTable(Column::Input, i));
    bool written = true;
    int32_t column = 0;
    double value = 0;
    while (written && reader.Next(value)) {
        patternBuffer->SetInput(column, columns[static_cast<size_t>(column)](value));
        if (++column < inputs)
            continue;
        column = 0;
        net->Forward();
        written = WriteOutputLine(out, *this);
    }
    written = std::fclose(out) == 0 && written;
    if (!written) {
        error = "Writing the output file \"" + outputPath + "\" failed.";
        return false;
    }
    return true;
}

void CCorvinaDoc::OnConsult()
{
    if (userInterface == nullptr)
        return;
    ConsultFields fields;
    fields.count = GetInputCount();
    fields.values = consultValues.get();
    fields.inputPath = consultInputPath;
    fields.outputPath = consultOutputPath;
    const ConsultOutcome outcome = userInterface->dialogs.RunConsultSheet(fields);
    SetConsultPaths(fields.inputPath, fields.outputPath);
    if (!outcome.accepted)
        return;
    if (outcome.activePage == ConsultPage::Singular) {
        userInterface->dialogs.ShowReport(ConsultSingle());
        return;
    }
    std::string error;
    if (!ConsultFile(consultInputPath, consultOutputPath, error))
        userInterface->messages.ShowStopMessage(error);
}
