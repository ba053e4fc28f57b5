#pragma once

#include <string>

class CCorvinaDoc;

// "Output # %d, - \t%f\r\n" for every output of the network's last forward pass.
std::string FormatConsultReport(const CCorvinaDoc& document);

// True when both paths name the same existing file, through whatever spelling or link.
bool IsSameFile(const std::string& first, const std::string& second);
