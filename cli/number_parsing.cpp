#include "cli/number_parsing.h"

#include <optional>

#include "document/number_text.h"

bool ParseRealList(std::string_view text, std::vector<double>& values, std::string& error)
{
    values.clear();
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string_view item =
            TrimBlanks(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        const std::optional<double> value = ParseDecimal(item);
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
