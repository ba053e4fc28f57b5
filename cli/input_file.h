#pragma once

#include <string>

// True when path names a regular file that can be opened for reading; otherwise false with
// the reason in error.
bool CheckReadableFile(const std::string& path, std::string& error);
