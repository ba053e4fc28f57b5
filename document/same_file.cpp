#include "document/same_file.h"

#include <filesystem>
#include <system_error>

bool IsSameFile(const std::string& first, const std::string& second)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::equivalent(first, second, error))
        return true;
    const fs::path a = fs::weakly_canonical(first, error);
    if (error)
        return false;
    const fs::path b = fs::weakly_canonical(second, error);
    return !error && a == b;
}
