#pragma once

#include <string>
#include <string_view>

#include "framework/file_replacement.h"

// A text file written from start to end, such as the answers of a batch consultation. A
// regular file, or a new one, is written through FileReplacement, so it appears whole or not at
// all; a character device or a FIFO, which cannot be replaced, is written into as it is.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();

    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Prepares path for writing; false with the reason, a sentence, in error.
    bool Open(const std::string& path, std::string& error);

    // Appends bytes; false with the reason in error.
    bool Write(std::string_view bytes, std::string& error);

    // Completes the file; false with the reason in error, and a regular file as it was.
    bool Close(std::string& error);

private:
    FileReplacement replacement;
    int stream = -1;
};
