#pragma once

#include <cstdint>
#include <string>

// The exact length of a network file: the counts, 4 weights per neuron, 256 doubles per
// column, the pattern count, the patterns, the passes count and the average.
inline uint64_t NetworkFileLength(int64_t layers, int64_t inputs, int64_t outputs, int64_t patterns = 0)
{
    const int64_t neurons = layers * inputs + outputs;
    return static_cast<uint64_t>(24 + 4 * neurons + (2048 + patterns) * (inputs + outputs));
}

// The transformation tables of a network file's bytes.
inline std::string TableBytes(const std::string& file, int64_t layers, int64_t inputs, int64_t outputs)
{
    const auto start = static_cast<size_t>(12 + 4 * (layers * inputs + outputs));
    return file.substr(start, static_cast<size_t>(2048 * (inputs + outputs)));
}

// bytes with a little-endian 32-bit value written at offset.
inline std::string WithInt32At(std::string bytes, size_t offset, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}
