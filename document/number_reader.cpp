#include "document/number_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "document/number_text.h"

namespace {

constexpr size_t ChunkSize = size_t{1} << 16;
// Room for a whole chunk after the longest token kept from the chunk before.
constexpr size_t BufferSize = ChunkSize + NumberReader::MaxTokenLength;
// Bytes of a refused token shown in the message.
constexpr size_t ShownTokenLength = 32;

bool CanBelongToNumber(char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
}

// The bytes as text safe to show anywhere: printable ASCII as it is, anything else as \xHH.
std::string Printable(const char* first, const char* last)
{
    std::string text;
    for (const char* p = first; p != last; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"') {
            text += static_cast<char>(byte);
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        text += escaped;
    }
    return text;
}

}  // namespace

NumberReader::NumberReader(const std::string& path) : buffer(new char[BufferSize])
{
    if (path.empty())
        openError = "No file name was given";
    else
        descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (descriptor < 0 && openError.empty())
        openError = std::strerror(errno);
    else if (descriptor >= 0 && fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode))
        openError = std::strerror(EISDIR);
    if (!openError.empty() && descriptor >= 0) {
        close(descriptor);
        descriptor = -1;
    }
    atEnd = descriptor < 0;
}

NumberReader::~NumberReader()
{
    if (descriptor >= 0)
        close(descriptor);
}

// Keeps the unread tail (never longer than a token) at the front and reads after it; false when
// nothing was added.
bool NumberReader::Refill()
{
    if (atEnd)
        return false;
    const size_t kept = end - begin;
    std::memmove(buffer.get(), buffer.get() + begin, kept);
    begin = 0;
    end = kept;
    ssize_t got = 0;
    do
        got = read(descriptor, buffer.get() + end, BufferSize - end);
    while (got < 0 && errno == EINTR);
    if (got < 0)
        readError = std::strerror(errno);
    if (got <= 0) {
        atEnd = true;
        return false;
    }
    end += static_cast<size_t>(got);
    return true;
}

void NumberReader::SkipByteOrderMark()
{
    while (end - begin < 3 && Refill()) {
    }
    if (end - begin >= 3 && std::memcmp(buffer.get() + begin, "\xEF\xBB\xBF", 3) == 0)
        begin += 3;
}

bool NumberReader::SkipBlanks()
{
    for (;;) {
        while (begin != end && IsBlank(buffer[begin])) {
            if (buffer[begin] == '\n')
                ++line;
            ++begin;
        }
        if (begin != end)
            return true;
        if (!Refill())
            return false;
    }
}

void NumberReader::StopAt(ReadingStop::Cause cause, std::string detail)
{
    stopped = true;
    stop = {cause, line, std::move(detail)};
}

std::string NumberReader::TokenShownFrom(size_t first) const
{
    size_t last = first;
    while (last != end && last - first < ShownTokenLength && !IsBlank(buffer[last]))
        ++last;
    return Printable(buffer.get() + first, buffer.get() + last);
}

bool NumberReader::Next(double& value)
{
    if (stopped)
        return false;
    if (!started) {
        started = true;
        SkipByteOrderMark();
    }
    if (!SkipBlanks()) {
        if (readError.empty())
            StopAt(ReadingStop::Cause::EndOfFile, "");
        else
            StopAt(ReadingStop::Cause::ReadError, readError);
        return false;
    }
    size_t stopAt = begin;
    for (;;) {
        while (stopAt != end && CanBelongToNumber(buffer[stopAt]))
            ++stopAt;
        if (stopAt - begin > MaxTokenLength) {
            StopAt(ReadingStop::Cause::NotANumber, TokenShownFrom(begin));
            return false;
        }
        if (stopAt != end)
            break;
        // Refill moves the token to the front of the buffer.
        const size_t offset = stopAt - begin;
        const bool more = Refill();
        stopAt = begin + offset;
        if (!more)
            break;
    }
    if (!readError.empty()) {
        StopAt(ReadingStop::Cause::ReadError, readError);
        return false;
    }
    // A number ends at a blank or at the end of the file; any other byte makes its token no number.
    const bool ended = stopAt == end || IsBlank(buffer[stopAt]);
    if (!ended || !ParseDecimalToken(buffer.get() + begin, buffer.get() + stopAt, value)) {
        StopAt(ReadingStop::Cause::NotANumber, TokenShownFrom(begin));
        return false;
    }
    begin = stopAt;
    return true;
}

std::string DescribeStop(const ReadingStop& stop)
{
    const std::string where = "reading stopped at line " + std::to_string(stop.line);
    switch (stop.cause) {
    case ReadingStop::Cause::NotANumber:
        return where + " at \"" + stop.detail + "\", which is not a number";
    case ReadingStop::Cause::ReadError:
        return where + ": " + stop.detail;
    case ReadingStop::Cause::EndOfFile:
        break;
    }
    return "";
}

std::string DescribeEarlyStop(size_t count, const std::string& unit, const std::string& path, const ReadingStop& stop)
{
    if (!stop.IsEarly())
        return "";
    return std::to_string(count) + " " + unit + (count == 1 ? "" : "s") + " read from " + path + "; " +
           DescribeStop(stop) + ".";
}
