#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An unsigned decimal integer made of digits only; nullopt for anything else or an overflow.
std::optional<uint64_t> ParseUnsigned(std::string_view text);

// A finite decimal real number (optional sign, digits with an optional point, optional
// exponent) filling the whole text; nullopt for anything else, "nan" and "inf" included.
std::optional<double> ParseReal(std::string_view text);

// A comma-separated list of real numbers, blanks around each allowed. On a value that is not a
// number returns false with the reason in error.
bool ParseRealList(std::string_view text, std::vector<double>& values, std::string& error);
