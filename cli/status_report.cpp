#include "cli/status_report.h"

#include <cstdint>
#include <cstdio>

#include "document/corvina_doc.h"

namespace {

template <typename... Values>
std::string Format(const char* format, Values... values)
{
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

}  // namespace

std::array<std::string, 8> StatusReportLines(const CCorvinaDoc& document)
{
    const int32_t layers = document.GetLayersCount();
    const int32_t inputs = document.GetInputCount();
    const int32_t outputs = document.GetOutputCount();
    const int32_t patterns = document.GetPatternsCount();
    // Formed in 64 bits: the counts a shape may hold multiply past the 32-bit range.
    const long long neurons = static_cast<long long>(inputs) * layers + outputs;
    return {
        "Discrete NeuralNetwoks by Velmora",
        Format("Layers count %d, TotalNeurons %lld", layers, neurons),
        Format("Input count %d, Output cout %d", inputs, outputs),
        patterns != 0 ? "Training data available" : "Training data not available",
        Format("Training patterns count %d", patterns),
        "Training process",
        Format("Produced passes count %u", static_cast<unsigned>(document.GetPassesCount())),
        Format("Averrage error %d (%d is statical value)", document.GetAverageError(),
               ErrorHistory::ResetValue),
    };
}
