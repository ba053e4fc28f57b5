#include "document/consultation.h"

#include <filesystem>
#include <system_error>

#include "document/corvina_doc.h"
#include "document/real_format.h"

std::string FormatConsultReport(const CCorvinaDoc& document)
{
    std::string text;
    const PatternBuffer& buffer = document.GetPatternBuffer();
    for (int32_t output = 0; output < document.GetOutputCount(); ++output) {
        const double value = document.Dequantize(buffer.GetOutput(output), Column::Output, output);
        text += "Output # " + std::to_string(output) + ", - \t" + FormatReal(value, RealNotation::Fixed) + "\r\n";
    }
    return text;
}

bool IsSameFile(const std::string& first, const std::string& second)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::equivalent(first, second, error))
        return true;
    const fs::path a = fs::weakly_canonical(first, error);
    if (error)
        return false;
    const fs::path b = fs::weakly_canonical(second, error);
    return !error && a == b;
}
