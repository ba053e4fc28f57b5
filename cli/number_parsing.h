#pragma once

#include <string>
#include <string_view>
#include <vector>

// A comma-separated list of real numbers, blanks around each allowed, each a finite decimal
// number as document/number_text.h reads one. On a value that is not a number returns false
// with the reason in error.
bool ParseRealList(std::string_view text, std::vector<double>& values, std::string& error);
