#include "document/report_lines.h"

#include <cstdio>

#include "document/network_model.h"
#include "document/program_texts.h"
#include "document/real_format.h"

namespace {

template <typename... Values>
std::string Format(const char* format, Values... values)
{
    const int length = std::snprintf(nullptr, 0, format, values...);
    std::string text(static_cast<size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, values...);
    return text;
}

}  // namespace

std::array<std::string, 8> StatusReportLines(const NetworkModel& model)
{
    using namespace ProgramText;
    const int32_t layers = model.GetLayersCount();
    const int32_t inputs = model.GetInputCount();
    const int32_t outputs = model.GetOutputCount();
    const int32_t patterns = model.GetPatternsCount();
    // Formed in 64 bits: the counts a shape may hold multiply past the 32-bit range.
    const long long neurons = static_cast<long long>(inputs) * layers + outputs;
    return {
        ReportTitle,
        Format(ReportShape, layers, neurons),
        Format(ReportCounts, inputs, outputs),
        patterns != 0 ? ReportDataAvailable : ReportDataNotAvailable,
        Format(ReportPatterns, patterns),
        ReportTraining,
        Format(ReportPasses, static_cast<unsigned>(model.GetPassesCount())),
        Format(ReportAverage, model.GetAverageError(), ErrorHistory::ResetValue),
    };
}

std::string ConsultReportLine(int32_t output, double value)
{
    return Format(ProgramText::ConsultLine, output, FormatReal(value, RealNotation::Fixed).c_str());
}
