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

// Writes through FileReplacement: the save policy of the window and the command-line tool. A
// request to end the program that arrives during a save takes effect once the save is over.
class LocalFileStore : public FileStore {
public:
    bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error) override;
};
