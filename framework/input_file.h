#pragma once

#include <cstdint>
#include <istream>
#include <streambuf>
#include <string>

// A document file opened for reading. Only a regular file is opened: a folder, a device, a FIFO
// or a socket is refused before it is opened, so none can block the program, stand in for an
// empty document or be read for ever.
class InputFile {
public:
    InputFile();
    ~InputFile();

    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens path, through any links; false with the reason, a sentence, in error.
    bool Open(const std::string& path, std::string& error);

    // The file's contents, read a buffer at a time.
    std::istream& Stream() { return stream; }

    // The file's length when it was opened.
    uint64_t Size() const { return size; }

private:
    class Buffer : public std::streambuf {
    public:
        int descriptor = -1;

    protected:
        int_type underflow() override;

    private:
        char bytes[1 << 16];
    };

    Buffer buffer;
    std::istream stream;
    uint64_t size = 0;
};
