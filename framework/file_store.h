#pragma once

#include <string>
#include <string_view>

// Writes whole files so that a failed write never damages the file that was there.
class FileStore {
public:
    virtual ~FileStore() = default;

    // Replaces the file at path by bytes. On failure returns false with a reason in error and
    // leaves any existing file as it was.
    virtual bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error) = 0;
};

// Writes into a temporary file beside the target and renames it over the target.
class LocalFileStore : public FileStore {
public:
    bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error) override;
};
