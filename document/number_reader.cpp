#include "document/number_reader.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr size_t ChunkSize = size_t{1} << 16;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
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

NumberReader::NumberReader(const std::string& path) : buffer(ChunkSize)
{
    file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
    atEnd = file == nullptr;
}

NumberReader::~NumberReader()
{
    if (file != nullptr)
        std::fclose(file);
}

// Keeps the unread tail at the front and appends the next chunk; false when nothing was added.
bool NumberReader::Refill()
{
    if (atEnd)
        return false;
    const size_t kept = end - begin;
    std::memmove(buffer.data(), buffer.data() + begin, kept);
    begin = 0;
    end = kept;
    if (buffer.size() - end < ChunkSize)
        buffer.resize(end + ChunkSize);
    const size_t got = std::fread(buffer.data() + end, 1, buffer.size() - end, file);
    end += got;
    if (got == 0)
        atEnd = true;
    return got != 0;
}

bool NumberReader::Next(double& value)
{
    if (stopped)
        return false;
    for (;;) {
        while (begin != end && IsBlank(buffer[begin]))
            ++begin;
        if (begin != end)
            break;
        if (!Refill()) {
            stopped = true;
            return false;
        }
    }
    size_t stop = begin;
    for (;;) {
        while (stop != end && !IsBlank(buffer[stop]))
            ++stop;
        if (stop != end)
            break;
        // Refill moves the unread tail to the front of the buffer.
        const size_t offset = stop - begin;
        const bool more = Refill();
        stop = begin + offset;
        if (!more)
            break;
    }
    const char* first = buffer.data() + begin;
    const char* last = buffer.data() + stop;
    begin = stop;
    if (!ParseDecimalToken(first, last, value)) {
        stopped = true;
        return false;
    }
    return true;
}
