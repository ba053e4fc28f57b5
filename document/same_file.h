#pragma once

#include <string>

// True when both paths name the same existing file, through whatever spelling or link, or the
// same place once "." and ".." are resolved.
bool IsSameFile(const std::string& first, const std::string& second);
