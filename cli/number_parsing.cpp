#include "cli/number_parsing.h"

#include <charconv>
#include <cmath>

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

std::optional<double> ParseReal(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    // from_chars takes a '-' but no '+'; a sign after the '+' is a second sign.
    if (digits.empty() || (text.front() == '+' && digits.front() == '-'))
        return std::nullopt;
    // Only decimal notation: from_chars would also read "inf", "nan" and "infinity".
    if (digits.find_first_not_of("+-.0123456789eE") != std::string_view::npos)
        return std::nullopt;
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::general);
    if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

std::string_view TrimBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

bool ParseRealList(std::string_view text, std::vector<double>& values, std::string& error)
{
    values.clear();
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string_view item =
            TrimBlanks(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        const std::optional<double> value = ParseReal(item);
        if (!value) {
            // Built by appending: GCC 12 misreports chains of + on short literals (-Wrestrict).
            error.assign(item.empty() ? "an empty value in '" : "'");
            error.append(item.empty() ? text : item);
            error.append(item.empty() ? "'" : "' is not a number");
            return false;
        }
        values.push_back(*value);
        if (comma == std::string_view::npos)
            return true;
        start = comma + 1;
    }
}
