#include "shell/dialogs/number_exchange.h"

#include <charconv>
#include <optional>
#include <string>

#include "document/number_text.h"

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
    const std::string latin = text.toStdString();
    const std::optional<double> parsed = ParseDecimal(TrimBlanks(latin));
    if (parsed)
        value = *parsed;
    return parsed.has_value();
}

double LeadingReal(const QString& text)
{
    const std::string latin = text.toStdString();
    std::size_t length = 0;
    double value = 0.0;
    return ReadNumber(std::string(TrimBlanks(latin)), length, value) ? value : 0.0;
}
