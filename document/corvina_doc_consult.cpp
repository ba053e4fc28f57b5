#include "document/corvina_doc.h"

#include <cstdio>
#include <vector>

#include "document/consultation.h"
#include "document/number_reader.h"
#include "document/real_format.h"
#include "document/transformation_tables.h"
#include "framework/output_file.h"

std::string CCorvinaDoc::ConsultSingle()
{
    for (int32_t i = 0; i < GetInputCount(); ++i)
        patternBuffer->SetInput(i, Quantize(consultValues[static_cast<size_t>(i)], Column::Input, i));
    net->Forward();
    return FormatConsultReport(*this);
}

namespace {

// Answers gathered before they are written: a few pages of text.
constexpr size_t OutputChunk = size_t{1} << 16;

// Appends the outputs of the last forward pass as one line: %g values, single blanks.
void AppendOutputLine(std::string& text, const CCorvinaDoc& document)
{
    const int32_t outputs = document.GetOutputCount();
    const PatternBuffer& buffer = document.GetPatternBuffer();
    for (int32_t j = 0; j < outputs; ++j) {
        const double value = document.Dequantize(buffer.GetOutput(j), Column::Output, j);
        text += FormatReal(value, RealNotation::General);
        text += j + 1 < outputs ? ' ' : '\n';
    }
}

}  // namespace

// The output may overwrite nothing the batch reads: not its input, and not the network's own
// file, under whatever spelling or link. The input is opened before the output is touched, so
// an input that cannot be read leaves any old output as it was.
BatchOutcome CCorvinaDoc::ConsultFile(const std::string& inputPath, const std::string& outputPath)
{
    BatchOutcome outcome;
    const std::string refused = "The output file " + outputPath + " is ";
    if (IsSameFile(inputPath, outputPath)) {
        outcome.error = refused + "the input file; choose another output file.";
        return outcome;
    }
    if (!GetPathName().empty() && IsSameFile(GetPathName(), outputPath)) {
        outcome.error = refused + "the network's own file; choose another output file.";
        return outcome;
    }
    NumberReader reader(inputPath);
    if (!reader.OpenError().empty()) {
        outcome.error = inputPath.empty() ? "No input file was given."
                                          : "The input file " + inputPath + " cannot be read: " + reader.OpenError() + ".";
        return outcome;
    }
    OutputFile output;
    std::string error;
    if (!output.Open(outputPath, error)) {
        outcome.error = "The output file " + outputPath + " cannot be written. " + error;
        return outcome;
    }
    const int32_t inputs = GetInputCount();
    std::vector<TableQuantizer> columns;
    for (int32_t i = 0; i < inputs; ++i)
        columns.emplace_back(GetTable(Column::Input, i));
    std::string text;
    int32_t column = 0;
    double value = 0;
    bool written = true;
    while (written && reader.Next(value)) {
        patternBuffer->SetInput(column, columns[static_cast<size_t>(column)](value));
        if (++column < inputs)
            continue;
        column = 0;
        net->Forward();
        AppendOutputLine(text, *this);
        ++outcome.rows;
        if (text.size() >= OutputChunk) {
            written = output.Write(text, error);
            text.clear();
        }
    }
    written = written && output.Write(text, error) && output.Close(error);
    if (!written) {
        outcome.error = "Writing the output file " + outputPath + " failed. " + error;
        return outcome;
    }
    outcome.written = true;
    outcome.note = DescribeEarlyStop(outcome.rows, "row", inputPath, reader.Stop());
    return outcome;
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
    const BatchOutcome batch = ConsultFile(consultInputPath, consultOutputPath);
    if (!batch.written)
        userInterface->messages.ShowStopMessage(batch.error);
    else
        userInterface->messages.ShowStatusNote(batch.note);
}
