#include "framework/file_replacement.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>

namespace {

// Symbolic links followed before a path counts as a loop, as the kernel counts them.
constexpr int MaxLinkHops = 40;
constexpr int MaxNameAttempts = 100;

std::string Cause(int error)
{
    return std::strerror(error);
}

// A size limit (ulimit -f) would otherwise kill the process with SIGXFSZ in the middle of a
// write, silently and with the temporary file left; ignored, it is a write that fails with EFBIG.
void IgnoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

// Follows symbolic links from path to the name that is no link (it need not exist).
bool ResolveLinks(const std::string& path, std::string& resolved, std::string& error)
{
    namespace fs = std::filesystem;
    std::string current = path;
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        struct stat status {};
        if (lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            resolved = current;
            return true;
        }
        std::error_code linkError;
        const fs::path target = fs::read_symlink(current, linkError);
        if (linkError) {
            error = "The link " + current + " cannot be read: " + linkError.message() + ".";
            return false;
        }
        current = target.is_absolute() ? target.string() : (fs::path(current).parent_path() / target).string();
    }
    error = "The path cannot be resolved: " + Cause(ELOOP) + ".";
    return false;
}

// Twelve letters and digits, from the kernel's random source or, failing that, the clock.
std::string RandomSuffix()
{
    static constexpr char Alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[12] = {};
    if (getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        auto seed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                    (static_cast<uint64_t>(getpid()) << 32);
        for (unsigned char& byte : bytes) {
            seed = seed * 6364136223846793005u + 1442695040888963407u;
            byte = static_cast<unsigned char>(seed >> 56);
        }
    }
    std::string suffix;
    for (unsigned char byte : bytes)
        suffix += Alphabet[byte % (sizeof Alphabet - 1)];
    return suffix;
}

// Gives the new file the old one's owner, or at least its group; a user who may not do that
// keeps the new file as their own.
void HandOver(int file, const struct stat& old)
{
    if (fchown(file, old.st_uid, old.st_gid) != 0 && fchown(file, static_cast<uid_t>(-1), old.st_gid) != 0)
        errno = 0;
}

bool WriteAll(int file, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(file, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

std::string DescribeFileType(mode_t mode)
{
    switch (mode & S_IFMT) {
    case S_IFREG:
        return "a regular file";
    case S_IFDIR:
        return "a directory";
    case S_IFCHR:
        return "a character device";
    case S_IFBLK:
        return "a block device";
    case S_IFIFO:
        return "a FIFO";
    case S_IFSOCK:
        return "a socket";
    case S_IFLNK:
        return "a symbolic link";
    default:
        return "of an unknown kind";
    }
}

FileReplacement::~FileReplacement()
{
    Abandon();
}

bool FileReplacement::Begin(const std::string& path, std::string& error)
{
    Abandon();
    IgnoreFileSizeSignal();
    struct stat old {};
    bool exists = false;
    if (OpenFolderOf(path, error) && CheckTarget(old, exists, error) && CreateTemporary(exists ? &old : nullptr, error))
        return true;
    Abandon();
    return false;
}

bool FileReplacement::OpenFolderOf(const std::string& path, std::string& error)
{
    namespace fs = std::filesystem;
    if (path.empty()) {
        error = "No file name was given.";
        return false;
    }
    std::string resolved;
    if (!ResolveLinks(path, resolved, error))
        return false;
    const fs::path target(resolved);
    targetName = target.filename().string();
    folderPath = target.has_parent_path() ? target.parent_path().string() : ".";
    if (targetName.empty() || targetName == "." || targetName == "..") {
        error = "It is not a regular file: it is " + DescribeFileType(S_IFDIR) + ".";
        return false;
    }
    folder = open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        error = "The folder " + folderPath + " cannot be opened: " + Cause(errno) + ".";
        return false;
    }
    return true;
}

bool FileReplacement::CheckTarget(struct stat& old, bool& exists, std::string& error)
{
    exists = fstatat(folder, targetName.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists) {
        if (errno == ENOENT)
            return true;
        error = "The file cannot be examined: " + Cause(errno) + ".";
        return false;
    }
    if (!S_ISREG(old.st_mode)) {
        error = "It is not a regular file: it is " + DescribeFileType(old.st_mode) + ".";
        return false;
    }
    // Without any write permission the file is read-only even for a user, such as root, whom
    // the system would let write it; with some, the system decides.
    if ((old.st_mode & 0222) == 0) {
        error = Cause(EACCES) + ": the file is read-only.";
        return false;
    }
    const int probe = openat(folder, targetName.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0) {
        error = errno == EACCES || errno == EPERM ? Cause(EACCES) + ": the file is read-only."
                                                  : "The file cannot be written: " + Cause(errno) + ".";
        return false;
    }
    close(probe);
    return true;
}

bool FileReplacement::CreateTemporary(const struct stat* old, std::string& error)
{
    // A new file gets the usual permissions, less the umask; a replacement starts private and
    // takes the old file's permissions below.
    const mode_t creationMode = old != nullptr ? 0600 : 0666;
    for (int attempt = 0; attempt < MaxNameAttempts && file < 0; ++attempt) {
        const std::string name = ".corvina-" + RandomSuffix() + ".tmp";
        file = openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, creationMode);
        if (file >= 0)
            temporaryName = name;
        else if (errno != EEXIST)
            break;
    }
    if (file < 0) {
        error = "No temporary file can be created in the folder " + folderPath + ": " + Cause(errno) + ".";
        return false;
    }
    if (old == nullptr)
        return true;
    HandOver(file, *old);
    if (fchmod(file, old->st_mode & 07777) != 0) {
        error = "The permissions cannot be carried over: " + Cause(errno) + ".";
        return false;
    }
    return true;
}

bool FileReplacement::Write(std::string_view bytes, std::string& error)
{
    if (file < 0) {
        error = "The file is not open for writing.";
        return false;
    }
    if (!WriteAll(file, bytes.data(), bytes.size())) {
        error = "Writing failed: " + Cause(errno) + ".";
        Abandon();
        return false;
    }
    return true;
}

bool FileReplacement::Commit(std::string& error)
{
    if (file < 0) {
        error = "The file is not open for writing.";
        return false;
    }
    // Some file systems report a full disk only when the data reach it.
    int syncResult = 0;
    do
        syncResult = fsync(file);
    while (syncResult != 0 && errno == EINTR);
    if (syncResult != 0) {
        error = "Writing to disk failed: " + Cause(errno) + ".";
        Abandon();
        return false;
    }
    const int closeResult = close(file);
    file = -1;
    if (closeResult != 0 && errno != EINTR) {
        error = "Writing failed: " + Cause(errno) + ".";
        Abandon();
        return false;
    }
    if (renameat(folder, temporaryName.c_str(), folder, targetName.c_str()) != 0) {
        error = "The file cannot be replaced: " + Cause(errno) + ".";
        Abandon();
        return false;
    }
    temporaryName.clear();
    // The new name is on disk only once the folder is; a folder that cannot be flushed
    // (some file systems refuse) still holds the complete new file.
    fsync(folder);
    Abandon();
    return true;
}

void FileReplacement::Abandon()
{
    if (file >= 0) {
        close(file);
        file = -1;
    }
    if (folder >= 0) {
        if (!temporaryName.empty())
            unlinkat(folder, temporaryName.c_str(), 0);
        close(folder);
        folder = -1;
    }
    temporaryName.clear();
}
