#include "document/number_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "document/number_text.h"

namespace {

constexpr size_t ChunkSize = size_t{1} << 16;
// Room for a whole chunk after the longest token kept from the chunk before.
constexpr size_t BufferSize = ChunkSize + NumberReader::MaxTokenLength;
// Kept after the last byte read: neither a blank nor part of a number, it ends every scan of
// blanks or digits without a check of the buffer's end.
constexpr char Sentinel = '\0';
// Bytes of a refused token shown in the message.
constexpr size_t ShownTokenLength = 32;

// One table lookup per byte instead of a chain of comparisons.
constexpr std::array<bool, 256> BlankBytes = [] {
    std::array<bool, 256> blanks{};
    for (const unsigned char c : {' ', '\t', '\r', '\n', '\v', '\f'})
        blanks[c] = true;
    return blanks;
}();

bool IsBlankByte(char c)
{
    return BlankBytes[static_cast<unsigned char>(c)];
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool CanBelongToNumber(char c)
{
    return IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
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

// Powers of ten up to 10^22, the largest that a double holds exactly.
constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int32_t LargestExactPowerOfTen = 22;
// Integers up to 2^53 convert to double exactly.
constexpr uint64_t LargestExactInteger = uint64_t{1} << 53;
// More digits than this could overflow the 64-bit significand.
constexpr int32_t MostSignificandDigits = 19;

// Reads the digits from p on into significand; the end of the digits, at the latest the
// sentinel.
const char* AccumulateDigits(const char* p, uint64_t& significand)
{
    // Wraps harmlessly past 19 digits: such a significand is never used.
    for (auto digit = static_cast<uint8_t>(*p - '0'); digit < 10; digit = static_cast<uint8_t>(*++p - '0'))
        significand = significand * 10 + digit;
    return p;
}

// Reads the plain decimal number that starts at first and is followed by a blank before last,
// the sentinel's place, when its value is exact by Clinger's fast path: a significand of at
// most 19 digits no larger than 2^53 and a power of ten within 10^-22..10^22. Both are then
// exact doubles, and one multiplication or division rounds exactly as from_chars does. Returns
// the end of the number, or nullptr when the token needs the general path (any other shape,
// any longer or larger number, a token that may continue after last).
const char* ReadPlainDecimal(const char* first, const char* last, double& value)
{
    const char* p = first;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    uint64_t significand = 0;
    const char* integerEnd = AccumulateDigits(p, significand);
    auto digits = static_cast<int32_t>(std::min<ptrdiff_t>(integerEnd - p, MostSignificandDigits + 1));
    int32_t fractionDigits = 0;
    p = integerEnd;
    if (*p == '.') {
        const char* fractionEnd = AccumulateDigits(p + 1, significand);
        fractionDigits = static_cast<int32_t>(std::min<ptrdiff_t>(fractionEnd - (p + 1), MostSignificandDigits + 1));
        digits += fractionDigits;
        p = fractionEnd;
    }
    if (digits == 0 || digits > MostSignificandDigits || significand > LargestExactInteger)
        return nullptr;
    int32_t exponent = 0;
    if (*p == 'e' || *p == 'E') {
        ++p;
        const bool negativeExponent = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        const char* exponentStart = p;
        // Saturates far beyond any exponent the fast path takes.
        for (auto digit = static_cast<uint8_t>(*p - '0'); digit < 10; digit = static_cast<uint8_t>(*++p - '0'))
            exponent = std::min(exponent * 10 + digit, 100000);
        if (p == exponentStart)
            return nullptr;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (p == last || !IsBlankByte(*p) || static_cast<size_t>(p - first) > NumberReader::MaxTokenLength)
        return nullptr;
    exponent -= fractionDigits;
    if (exponent < -LargestExactPowerOfTen || exponent > LargestExactPowerOfTen)
        return nullptr;
    const auto exact = static_cast<double>(significand);
    const double magnitude = exponent < 0 ? exact / ExactPowersOfTen[-exponent] : exact * ExactPowersOfTen[exponent];
    value = negative ? -magnitude : magnitude;
    return p;
}

}  // namespace

NumberReader::NumberReader(const std::string& path) : buffer(new char[BufferSize + 1])
{
    buffer[0] = Sentinel;
    if (path.empty())
        openError = "No file name was given";
    else
        descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (descriptor < 0 && openError.empty())
        openError = std::strerror(errno);
    else if (descriptor >= 0 && fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode))
        openError = std::strerror(EISDIR);
    else if (descriptor >= 0 && S_ISREG(status.st_mode))
        fileSize = static_cast<uint64_t>(status.st_size);
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
    buffer[end] = Sentinel;
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
    bytesRead += static_cast<uint64_t>(got);
    buffer[end] = Sentinel;
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
        while (begin != end && IsBlankByte(buffer[begin])) {
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
    while (last != end && last - first < ShownTokenLength && !IsBlankByte(buffer[last]))
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
    // The common case in a loop of its own: blanks and a plain decimal, all in the buffer.
    const char* p = buffer.get() + begin;
    while (IsBlankByte(*p)) {
        line += *p == '\n';
        ++p;
    }
    begin = static_cast<size_t>(p - buffer.get());
    if (const char* numberEnd = ReadPlainDecimal(p, buffer.get() + end, value)) {
        begin = static_cast<size_t>(numberEnd - buffer.get());
        return true;
    }
    return NextByGeneralPath(value);
}

// Any token, however long, wherever it lies in the buffer: what ReadPlainDecimal leaves.
bool NumberReader::NextByGeneralPath(double& value)
{
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
    const bool ended = stopAt == end || IsBlankByte(buffer[stopAt]);
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
