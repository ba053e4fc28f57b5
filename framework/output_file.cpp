#include "framework/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Devices and FIFOs are written as they are; everything else goes through the save policy,
// which refuses what is no regular file.
bool IsStream(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && (S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode));
}

}  // namespace

OutputFile::~OutputFile()
{
    if (stream >= 0)
        close(stream);
}

bool OutputFile::Open(const std::string& path, std::string& error)
{
    if (!IsStream(path))
        return replacement.Begin(path, error);
    stream = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (stream < 0) {
        error = "It cannot be opened for writing: " + std::string(std::strerror(errno)) + ".";
        return false;
    }
    return true;
}

bool OutputFile::Write(std::string_view bytes, std::string& error)
{
    if (stream < 0)
        return replacement.Write(bytes, error);
    while (!bytes.empty()) {
        const ssize_t written = write(stream, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0) {
            error = "Writing failed: " + std::string(std::strerror(errno)) + ".";
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool OutputFile::Close(std::string& error)
{
    if (stream < 0)
        return replacement.Commit(error);
    const int result = close(stream);
    stream = -1;
    if (result != 0 && errno != EINTR) {
        error = "Writing failed: " + std::string(std::strerror(errno)) + ".";
        return false;
    }
    return true;
}
