#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// How reading a text file of numbers ended.
struct ReadingStop {
    enum class Cause { EndOfFile, NotANumber, ReadError };
    Cause cause = Cause::EndOfFile;
    // The line, counted from 1, where reading ended.
    int64_t line = 1;
    // The start of the token that is not a number, shown printable; or why reading failed.
    std::string detail;

    // True when reading ended before the end of the file.
    bool IsEarly() const { return cause != Cause::EndOfFile; }
};

// "reading stopped at line 3 at "1,5", which is not a number", or "" at the end of the file.
std::string DescribeStop(const ReadingStop& stop);

// "2 records read from data.txt; reading stopped at line 3 at ..." when reading stopped before
// the end of the file, "" otherwise. unit is the singular: "record", "row".
std::string DescribeEarlyStop(size_t count, const std::string& unit, const std::string& path, const ReadingStop& stop);

// Reads decimal real numbers separated by blanks from a text file (a UTF-8 byte-order mark at
// its start is skipped). Reading ends for good at the end of the file or at the first token that
// is not entirely a finite decimal number (optional sign, digits with an optional point,
// optional exponent). A token ends at the first byte that cannot belong to such a number or
// after MaxTokenLength bytes, so memory stays one fixed buffer whatever the file holds.
class NumberReader {
public:
    static constexpr size_t MaxTokenLength = 1024;

    // Opens path; a file that cannot be opened reads as empty, and OpenError says why.
    explicit NumberReader(const std::string& path);
    ~NumberReader();

    NumberReader(const NumberReader&) = delete;
    NumberReader& operator=(const NumberReader&) = delete;

    // Empty when the file was opened; otherwise why not, such as "No such file or directory".
    const std::string& OpenError() const { return openError; }

    // The next number; false once reading has ended.
    bool Next(double& value);

    // How reading ended, once Next has returned false.
    const ReadingStop& Stop() const { return stop; }

    // Bytes taken from the file so far, and the file's size (0 when it has none, as a pipe),
    // for showing how far reading has come.
    uint64_t BytesRead() const { return bytesRead; }
    uint64_t FileSize() const { return fileSize; }

private:
    bool NextByGeneralPath(double& value);
    bool Refill();
    bool SkipBlanks();
    void SkipByteOrderMark();
    bool EndsToken(size_t position);
    void StopAt(ReadingStop::Cause cause, std::string detail);
    std::string TokenShownFrom(size_t first) const;

    int descriptor = -1;
    std::unique_ptr<char[]> buffer;
    size_t begin = 0;
    size_t end = 0;
    bool atEnd = false;
    bool started = false;
    bool stopped = false;
    int64_t line = 1;
    uint64_t bytesRead = 0;
    uint64_t fileSize = 0;
    std::string openError;
    std::string readError;
    ReadingStop stop;
};
