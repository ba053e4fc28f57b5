#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvina-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary directory");
        root = pattern;
    }

    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The path of name inside the directory.
    std::string Path(const std::string& name) const { return (root / name).string(); }

    const std::filesystem::path& Root() const { return root; }

private:
    std::filesystem::path root;
};

// Writes bytes as the whole file at path.
inline void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

// The whole file at path.
inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What one directory entry is: "file 0644 <bytes>", "link -> <target>", or its kind.
inline std::string DescribeEntry(const std::filesystem::path& path)
{
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0)
        return "missing";
    if (S_ISLNK(status.st_mode))
        return "link -> " + std::filesystem::read_symlink(path).string();
    if (S_ISFIFO(status.st_mode))
        return "fifo";
    if (S_ISCHR(status.st_mode))
        return "character device";
    if (S_ISDIR(status.st_mode))
        return "directory";
    char text[96];
    std::snprintf(text, sizeof text, "file %04o ", status.st_mode & 07777);
    // Huge files by length and modification time: reading them whole would cost seconds.
    if (status.st_size > (off_t{1} << 26)) {
        std::snprintf(text + std::strlen(text), 60, "%lld bytes modified %lld.%09ld",
                      static_cast<long long>(status.st_size), static_cast<long long>(status.st_mtim.tv_sec),
                      status.st_mtim.tv_nsec);
        return text;
    }
    // Short contents as they are, long ones by length and a hash, so a failure stays readable.
    const std::string bytes = ReadFile(path.string());
    uint64_t hash = 14695981039346656037u;
    for (char byte : bytes)
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211u;
    if (bytes.size() <= 64)
        return text + bytes;
    std::snprintf(text + std::strlen(text), 60, "%zu bytes #%016llx", bytes.size(), static_cast<unsigned long long>(hash));
    return text;
}

// Every entry of a directory, described: what a test compares before and after.
inline std::map<std::string, std::string> DirectoryEntries(const std::filesystem::path& directory)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        entries[entry.path().filename().string()] = DescribeEntry(entry.path());
    return entries;
}
