#include "document/c_export_files.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace fs = std::filesystem;

namespace {

struct PendingFile {
    fs::path target;
    fs::path temporary;
    std::string_view text;
};

bool WriteTemporary(const PendingFile& file, std::string& error)
{
    std::ofstream out(file.temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "cannot create " + file.temporary.string() + ": " + std::strerror(errno);
        return false;
    }
    out.write(file.text.data(), static_cast<std::streamsize>(file.text.size()));
    out.close();
    if (!out) {
        error = "writing " + file.temporary.string() + " failed (is the disk full?)";
        return false;
    }
    return true;
}

void RemoveTemporaries(const std::array<PendingFile, 2>& files)
{
    for (const PendingFile& file : files) {
        std::error_code ignored;
        fs::remove(file.temporary, ignored);
    }
}

}  // namespace

bool WriteCExportFiles(const std::string& folder, const std::string& name, const CExportFiles& files,
                       std::string& error)
{
    std::error_code status;
    if (!fs::is_directory(folder, status)) {
        error = fs::exists(folder, status) ? "\"" + folder + "\" is not a folder"
                                           : "the folder \"" + folder + "\" does not exist";
        return false;
    }
    const fs::path base(folder);
    std::array<PendingFile, 2> pending = {{
        {base / (name + ".h"), base / (name + ".h.saving"), files.header},
        {base / (name + ".c"), base / (name + ".c.saving"), files.source},
    }};
    for (const PendingFile& file : pending) {
        if (!WriteTemporary(file, error)) {
            RemoveTemporaries(pending);
            return false;
        }
    }
    for (size_t index = 0; index < pending.size(); ++index) {
        std::error_code renameError;
        fs::rename(pending[index].temporary, pending[index].target, renameError);
        if (renameError) {
            error = "cannot replace " + pending[index].target.string() + ": " + renameError.message();
            if (index > 0)
                error += "; " + pending[0].target.string() + " was already written";
            RemoveTemporaries(pending);
            return false;
        }
    }
    return true;
}
