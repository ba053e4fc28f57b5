#pragma once

#include <QString>

// How the consultation's real numbers travel between controls and values, independent of the
// user's locale: always a point as the decimal separator.

// "%f": fixed notation with six decimals, as the Singular page's list items show a value.
QString FormatFixed(double value);

// "%g" with 15 significant digits, as a real-number field shows a value.
QString FormatReal(double value);

// Reads a real-number field: optional blanks, an optional sign, digits with an optional point,
// an optional exponent, optional blanks. False, with value untouched, for anything else.
bool ParseReal(const QString& text, double& value);

// The number at the start of text after leading white space, up to the first character that
// does not fit; 0 when text does not start with one.
double LeadingReal(const QString& text);
