#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>
#include <string_view>

// Replaces a file by new contents so that the old file stays whole until the new one is
// complete and on disk, whatever fails on the way. The one save policy of every front end:
// - the new contents go into a temporary file of a fresh random name in the target's folder,
//   created exclusively and never through a link, so no planted file or link is written into
//   and no two saves share one;
// - the temporary file is flushed to disk, renamed over the target, and the folder flushed;
// - an existing target passes on its permission bits (and its owner where allowed);
// - a target that is a symbolic link is saved through to the file it names: the link stays;
// - a read-only target, and anything but a regular file, is refused and left untouched;
// - after any failure no temporary file is left, and the message names the cause.
// Other hard links to an existing target keep the old contents: the rename gives the name a
// new file.
class FileReplacement {
public:
    FileReplacement() = default;
    ~FileReplacement();

    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Checks the target and creates the temporary file; false with the reason in error.
    bool Begin(const std::string& path, std::string& error);

    // Appends bytes to the new contents; false with the reason in error, and the replacement
    // abandoned.
    bool Write(std::string_view bytes, std::string& error);

    // Puts the new contents in place of the target; false with the reason in error, and the
    // target as it was.
    bool Commit(std::string& error);

    // Gives up: the temporary file is removed and the target stays as it was.
    void Abandon();

private:
    bool OpenFolderOf(const std::string& path, std::string& error);
    bool CheckTarget(struct stat& old, bool& exists, std::string& error);
    bool CreateTemporary(const struct stat* old, std::string& error);

    int folder = -1;
    int file = -1;
    std::string folderPath;
    std::string targetName;
    std::string temporaryName;
};

// "a directory", "a character device", ...: what a path names that is not a regular file.
std::string DescribeFileType(mode_t mode);
