#include "shell/dialogs/number_exchange.h"

#include <charconv>
#include <regex>
#include <string>

namespace {

QString Formatted(double value, std::chars_format format, int precision)
{
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, format, precision);
    return QString::fromLatin1(text, static_cast<qsizetype>(result.ptr - text));
}

// from_chars reads no leading '+'; the sign is taken off first.
bool ReadNumber(const std::string& text, std::size_t& length, double& value)
{
    std::size_t start = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        start = 1;
    }
    const char* first = text.data() + start;
    if (first == text.data() + text.size() || *first == '+' || *first == '-')
        return false;
    double magnitude = 0.0;
    const auto result = std::from_chars(first, text.data() + text.size(), magnitude,
                                        std::chars_format::general);
    // Values beyond the range of a double are refused rather than guessed.
    if (result.ec != std::errc())
        return false;
    length = static_cast<std::size_t>(result.ptr - text.data());
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

QString FormatFixed(double value)
{
    return Formatted(value, std::chars_format::fixed, 6);
}

QString FormatReal(double value)
{
    return Formatted(value, std::chars_format::general, 15);
}

bool ParseReal(const QString& text, double& value)
{
    static const std::regex realNumber(R"(\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*)");
    const std::string latin = text.toStdString();
    if (!std::regex_match(latin, realNumber))
        return false;
    const std::string trimmed = text.trimmed().toStdString();
    std::size_t length = 0;
    double parsed = 0.0;
    if (!ReadNumber(trimmed, length, parsed) || length != trimmed.size())
        return false;
    value = parsed;
    return true;
}

double LeadingReal(const QString& text)
{
    const std::string trimmed = text.trimmed().toStdString();
    std::size_t length = 0;
    double value = 0.0;
    return ReadNumber(trimmed, length, value) ? value : 0.0;
}
