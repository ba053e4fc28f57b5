#include "framework/archive.h"

#include <istream>
#include <ostream>

CArchive::CArchive(std::ostream& outStream) : out(&outStream) {}

CArchive::CArchive(std::istream& inStream, uint64_t length) : in(&inStream), remaining(length) {}

CArchive& CArchive::operator<<(int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    const uint8_t bytes[4] = {
        static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
        static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
    Write(bytes, sizeof bytes);
    return *this;
}

CArchive& CArchive::operator<<(uint8_t value)
{
    Write(&value, 1);
    return *this;
}

CArchive& CArchive::operator>>(int32_t& value)
{
    uint8_t bytes[4];
    ReadExactly(bytes, sizeof bytes);
    const uint32_t bits = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                          uint32_t{bytes[3]} << 24;
    value = static_cast<int32_t>(bits);
    return *this;
}

CArchive& CArchive::operator>>(uint8_t& value)
{
    ReadExactly(&value, 1);
    return *this;
}

void CArchive::Write(const void* data, size_t size)
{
    out->write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

size_t CArchive::Read(void* data, size_t size)
{
    const size_t wanted = size < remaining ? size : static_cast<size_t>(remaining);
    in->read(static_cast<char*>(data), static_cast<std::streamsize>(wanted));
    const auto got = static_cast<size_t>(in->gcount());
    remaining -= got;
    if (got < wanted)
        remaining = 0;  // the file was shorter than it claimed
    return got;
}

void CArchive::ReadExactly(uint8_t* bytes, size_t size)
{
    if (Read(bytes, size) != size)
        throw CArchiveException("The file ends early.");
}

bool CArchive::HasFailed() const
{
    return out != nullptr && out->fail();
}
