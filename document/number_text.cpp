#include "document/number_text.h"

#include <charconv>
#include <cmath>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

const char* SkipDigits(const char* p, const char* last)
{
    while (p != last && IsDigit(*p))
        ++p;
    return p;
}

// Checks [sign] (digits [. digits] | . digits) [e [sign] digits] and nothing else.
bool HasDecimalShape(const char* p, const char* last)
{
    if (p != last && (*p == '+' || *p == '-'))
        ++p;
    const char* integerEnd = SkipDigits(p, last);
    bool anyDigit = integerEnd != p;
    p = integerEnd;
    if (p != last && *p == '.') {
        const char* fractionEnd = SkipDigits(p + 1, last);
        anyDigit = anyDigit || fractionEnd != p + 1;
        p = fractionEnd;
    }
    if (!anyDigit)
        return false;
    if (p != last && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != last && (*p == '+' || *p == '-'))
            ++p;
        const char* exponentEnd = SkipDigits(p, last);
        if (exponentEnd == p)
            return false;
        p = exponentEnd;
    }
    return p == last;
}

}  // namespace

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool ParseDecimalToken(const char* first, const char* last, double& value)
{
    if (!HasDecimalShape(first, last))
        return false;
    // from_chars takes no plus sign.
    if (*first == '+')
        ++first;
    const auto [stop, error] = std::from_chars(first, last, value, std::chars_format::general);
    return error == std::errc() && stop == last && std::isfinite(value);
}

std::optional<double> ParseDecimal(std::string_view text)
{
    double value = 0;
    if (!ParseDecimalToken(text.data(), text.data() + text.size(), value))
        return std::nullopt;
    return value;
}

std::optional<uint64_t> ParseUnsigned(std::string_view text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}
