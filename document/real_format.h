#pragma once

#include <string>

// How a real number is written into a report or an output file.
enum class RealNotation {
    Fixed,    // six decimals, as printf's "%f"
    General,  // six significant digits, trailing zeros dropped, as printf's "%g"
};

// value as the C library's printf writes it in the "C" locale: always a decimal point, whatever
// locale the program runs in (a desktop sets the user's, where the point may be a comma).
std::string FormatReal(double value, RealNotation notation);

// value in the fewest digits that read back to the same double, with a decimal point whatever
// the locale: for figures a program reads again (JSON, CSV). value must be finite.
std::string FormatShortestReal(double value);
