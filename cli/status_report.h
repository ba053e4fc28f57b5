#pragma once

#include <array>
#include <string>

class CCorvinaDoc;

// The eight text lines of the printed status report, in print order, without line breaks.
std::array<std::string, 8> StatusReportLines(const CCorvinaDoc& document);
