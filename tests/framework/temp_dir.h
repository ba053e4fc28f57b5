#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir() : root((std::filesystem::temp_directory_path() / "corvina-test-XXXXXX").string())
    {
        if (mkdtemp(root.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary directory");
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The path of name inside the directory.
    std::string Path(const std::string& name) const { return root + "/" + name; }
    std::filesystem::path Root() const { return root; }

private:
    std::string root;
};

// Writes bytes as the whole file at path.
inline void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot write " + path);
}

// The whole file at path.
inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// What one directory entry is: "file 0644 <bytes>", "link -> <target>", or its kind.
inline std::string DescribeEntry(const std::filesystem::path& path)
{
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0)
        return "missing";
    if (S_ISLNK(status.st_mode))
        return "link -> " + std::filesystem::read_symlink(path).string();
    if (!S_ISREG(status.st_mode))
        return S_ISFIFO(status.st_mode) ? "fifo" : S_ISCHR(status.st_mode) ? "character device" : "directory";
    char mode[16];
    std::snprintf(mode, sizeof mode, "file %04o ", status.st_mode & 07777);
    const std::string size = std::to_string(status.st_size) + " bytes";
    // Huge files by length and modification time: reading them whole would cost seconds.
    if (status.st_size > (off_t{1} << 26))
        return mode + size + " modified " + std::to_string(status.st_mtim.tv_sec) + "." + std::to_string(status.st_mtim.tv_nsec);
    // Short contents as they are, long ones by length and a hash, so a failure stays readable.
    const std::string bytes = ReadFile(path.string());
    return mode + (bytes.size() <= 64 ? bytes : size + " #" + std::to_string(std::hash<std::string>{}(bytes)));
}

// Every entry of a directory, described: what a test compares before and after.
inline std::map<std::string, std::string> DirectoryEntries(const std::filesystem::path& directory)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        entries[entry.path().filename().string()] = DescribeEntry(entry.path());
    return entries;
}
