#pragma once

#include <ostream>

#include <QString>

// Lets test failures show QStrings as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
