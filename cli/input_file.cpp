#include "cli/input_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

bool CheckReadableFile(const std::string& path, std::string& error)
{
    std::error_code statusError;
    if (std::filesystem::is_directory(path, statusError)) {
        error = "cannot read " + path + ": " + std::strerror(EISDIR);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}
