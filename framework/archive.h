#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <stdexcept>

// Raised when a load reads an integer or a byte past the end of the file, or when the document
// refuses what it reads; the message is a sentence that names the cause.
class CArchiveException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A little-endian binary stream over a file being stored or loaded.
class CArchive {
public:
    // An archive that stores into out.
    explicit CArchive(std::ostream& out);

    // An archive that loads length bytes from in.
    CArchive(std::istream& in, uint64_t length);

    bool IsStoring() const { return out != nullptr; }
    bool IsLoading() const { return in != nullptr; }

    CArchive& operator<<(int32_t value);
    CArchive& operator<<(uint8_t value);

    // Both throw CArchiveException when the file ends first.
    CArchive& operator>>(int32_t& value);
    CArchive& operator>>(uint8_t& value);

    // Stores size bytes unchanged.
    void Write(const void* data, size_t size);

    // Loads up to size bytes unchanged; returns how many there were before the end.
    size_t Read(void* data, size_t size);

    // Bytes not yet loaded.
    uint64_t GetRemaining() const { return remaining; }

    // True once a store could not be written completely.
    bool HasFailed() const;

private:
    void ReadExactly(uint8_t* bytes, size_t size);

    std::ostream* out = nullptr;
    std::istream* in = nullptr;
    uint64_t remaining = 0;
};
