#include "document/real_format.h"

#include <charconv>

std::string FormatReal(double value, RealNotation notation)
{
    // The largest double in fixed notation has 309 digits before the point.
    char text[400];
    const std::chars_format format = notation == RealNotation::Fixed ? std::chars_format::fixed
                                                                      : std::chars_format::general;
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, value, format, 6);
    return std::string(text, written.ptr);
}

std::string FormatShortestReal(double value)
{
    // The shortest form of a double has at most 24 characters ("-2.2250738585072014e-308").
    char text[32];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}
