#pragma once

#include <array>
#include <cstdint>
#include <string>

class NetworkModel;

// The eight lines of the status report of a model, in print order, without line breaks: what
// the window prints and corvina-cli's info shows.
std::array<std::string, 8> StatusReportLines(const NetworkModel& model);

// "Output # 0, - <tab>3.000000": one output's line of a single consultation's report, without
// a line break.
std::string ConsultReportLine(int32_t output, double value);
