#include "document/number_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t ChunkSize = size_t{1} << 16;
// Room for a whole chunk after the longest token kept from the chunk before.
constexpr size_t BufferSize = ChunkSize + NumberReader::MaxTokenLength;
// Bytes of a refused token shown in the message.
constexpr size_t ShownTokenLength = 32;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
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

const char* SkipDigits(const char* p, const char* last)
{
    while (p != last && IsDigit(*p))
        ++p;
    return p;
}

// Checks [sign] (digits [. digits] | . digits) [e [sign] digits] and nothing else.
bool HasDecimalShape(const char* p, const char* last)
{
    if (p != last && (*p == '+' || *p == '-'))
        ++p;
    const char* integerEnd = SkipDigits(p, last);
    bool anyDigit = integerEnd != p;
    p = integerEnd;
    if (p != last && *p == '.') {
        const char* fractionEnd = SkipDigits(p + 1, last);
        anyDigit = anyDigit || fractionEnd != p + 1;
        p = fractionEnd;
    }
    if (!anyDigit)
        return false;
    if (p != last && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != last && (*p == '+' || *p == '-'))
            ++p;
        const char* exponentEnd = SkipDigits(p, last);
        if (exponentEnd == p)
            return false;
        p = exponentEnd;
    }
    return p == last;
}

// Powers of ten up to 10^22, the largest that a double holds exactly.
constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int32_t LargestExactPowerOfTen = 22;
// Integers up to 2^53 convert to double exactly.
constexpr uint64_t LargestExactInteger = uint64_t{1} << 53;
// More digits than this could overflow the 64-bit significand.
constexpr int32_t MostSignificandDigits = 19;

// Reads the digits from p on into significand; the end of the digits.
const char* AccumulateDigits(const char* p, const char* last, uint64_t& significand)
{
    // Wraps harmlessly past 19 digits: such a significand is never used.
    while (p != last && IsDigit(*p)) {
        significand = significand * 10 + static_cast<uint64_t>(*p - '0');
        ++p;
    }
    return p;
}

// Reads the plain decimal number that starts at first and is followed by a blank before last,
// when its value is exact by Clinger's fast path: a significand of at most 19 digits no larger
// than 2^53 and a power of ten within 10^-22..10^22. Both are then exact doubles, and one
// multiplication or division rounds exactly as from_chars does. Returns the end of the number,
// or nullptr when the token needs the general path (any other shape, any longer or larger
// number, a token that may continue after last).
const char* ReadPlainDecimal(const char* first, const char* last, double& value)
{
    const char* p = first;
    const bool negative = p != last && *p == '-';
    if (p != last && (*p == '+' || *p == '-'))
        ++p;
    uint64_t significand = 0;
    const char* integerEnd = AccumulateDigits(p, last, significand);
    auto digits = static_cast<int32_t>(std::min<ptrdiff_t>(integerEnd - p, MostSignificandDigits + 1));
    int32_t fractionDigits = 0;
    p = integerEnd;
    if (p != last && *p == '.') {
        const char* fractionEnd = AccumulateDigits(p + 1, last, significand);
        fractionDigits = static_cast<int32_t>(std::min<ptrdiff_t>(fractionEnd - (p + 1), MostSignificandDigits + 1));
        digits += fractionDigits;
        p = fractionEnd;
    }
    if (digits == 0 || digits > MostSignificandDigits || significand > LargestExactInteger)
        return nullptr;
    int32_t exponent = 0;
    if (p != last && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool negativeExponent = p != last && *p == '-';
        if (p != last && (*p == '+' || *p == '-'))
            ++p;
        const char* exponentStart = p;
        // Saturates far beyond any exponent the fast path takes.
        while (p != last && IsDigit(*p)) {
            exponent = std::min(exponent * 10 + (*p - '0'), 100000);
            ++p;
        }
        if (p == exponentStart)
            return nullptr;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (p == last || !IsBlank(*p) || static_cast<size_t>(p - first) > NumberReader::MaxTokenLength)
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

bool ParseDecimalToken(const char* first, const char* last, double& value)
{
    if (!HasDecimalShape(first, last))
        return false;
    // from_chars takes no plus sign.
    if (*first == '+')
        ++first;
    const auto [stop, error] = std::from_chars(first, last, value, std::chars_format::general);
    return error == std::errc() && stop == last && std::isfinite(value);
}

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
    if (const char* numberEnd = ReadPlainDecimal(buffer.get() + begin, buffer.get() + end, value)) {
        begin = static_cast<size_t>(numberEnd - buffer.get());
        return true;
    }
    return NextByGeneralPath(value);
}

// Any token, however long, wherever it lies in the buffer: what ReadPlainDecimal leaves.
bool NumberReader::NextByGeneralPath(double& value)
{
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
