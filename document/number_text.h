#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The rules for numbers written as text, shared by the data-file reader, the shape rules, the
// dialogs and the command line, so that every front end accepts the same numbers.

// Space, tab, carriage return, line feed, vertical tab and form feed: what separates numbers.
bool IsBlank(char c);

// text without the blanks at either end.
std::string_view TrimBlanks(std::string_view text);

// True when [first, last) is one finite decimal number and nothing else: an optional sign,
// digits with an optional point (or a point and digits), an optional exponent. No "inf", "nan"
// or hexadecimal; a value beyond the range of a double is refused. Its value in value.
bool ParseDecimalToken(const char* first, const char* last, double& value);

// The same for a whole text.
std::optional<double> ParseDecimal(std::string_view text);

// An unsigned decimal integer made of digits only; nullopt for anything else or an overflow.
std::optional<uint64_t> ParseUnsigned(std::string_view text);
