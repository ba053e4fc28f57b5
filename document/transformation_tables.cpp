#include "document/transformation_tables.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>
#include <vector>

uint8_t QuantizeThroughTable(const double* table, double value)
{
    for (int32_t level = 0; level < TableLength - 1; ++level) {
        if (value <= table[level])
            return static_cast<uint8_t>(level);
    }
    return TableLength - 1;
}

bool IsNonDecreasing(const double* table)
{
    for (int32_t level = 0; level + 1 < TableLength - 1; ++level) {
        if (!(table[level] <= table[level + 1]))
            return false;
    }
    return true;
}

void FillIdentityTables(double* tables, int32_t count)
{
    for (int32_t column = 0; column < count; ++column) {
        for (int32_t level = 0; level < TableLength; ++level)
            tables[column * TableLength + level] = level;
    }
}

namespace {

constexpr uint64_t SignBit = uint64_t{1} << 63;

// The key of a value: keys in unsigned order are the values in a total order, -0 before +0, so
// equal data always give the same table bytes.
uint64_t OrderedKey(double value)
{
    const auto bits = std::bit_cast<uint64_t>(value);
    return (bits & SignBit) != 0 ? ~bits : bits | SignBit;
}

double ValueOfKey(uint64_t key)
{
    return std::bit_cast<double>((key & SignBit) != 0 ? key & ~SignBit : ~key);
}

// Least-significant-digit radix sort: no comparison, so no branch that data can mispredict.
constexpr int32_t DigitBits = 11;
constexpr int32_t DigitCount = (64 + DigitBits - 1) / DigitBits;
constexpr uint64_t DigitValues = uint64_t{1} << DigitBits;

uint64_t DigitOf(uint64_t key, int32_t digit)
{
    return (key >> (digit * DigitBits)) & (DigitValues - 1);
}

// Sorts keys[0..n), using scratch of n keys; returns whichever of the two holds the result.
uint64_t* SortKeys(uint64_t* keys, uint64_t* scratch, size_t n)
{
    std::vector<size_t> counts(DigitCount * DigitValues);
    for (size_t i = 0; i < n; ++i) {
        for (int32_t digit = 0; digit < DigitCount; ++digit)
            ++counts[static_cast<size_t>(digit) * DigitValues + DigitOf(keys[i], digit)];
    }
    for (int32_t digit = 0; digit < DigitCount; ++digit) {
        size_t* places = &counts[static_cast<size_t>(digit) * DigitValues];
        // A digit all keys share moves nothing.
        if (places[DigitOf(keys[0], digit)] == n)
            continue;
        size_t next = 0;
        for (uint64_t bucket = 0; bucket < DigitValues; ++bucket)
            next += std::exchange(places[bucket], next);
        for (size_t i = 0; i < n; ++i)
            scratch[places[DigitOf(keys[i], digit)]++] = keys[i];
        std::swap(keys, scratch);
    }
    return keys;
}

}  // namespace

void BuildTableFromKeys(uint64_t* keys, uint64_t* scratch, size_t n, double* table)
{
    const uint64_t* sorted = SortKeys(keys, scratch, n);
    for (uint64_t level = 0; level < TableLength; ++level)
        table[level] = ValueOfKey(sorted[level * n / TableLength]);
}

void ColumnKeys(const double* values, size_t n, size_t stride, uint64_t* keys)
{
    for (size_t i = 0; i < n; ++i)
        keys[i] = OrderedKey(values[i * stride]);
}

void BuildTableFromColumn(const double* values, size_t n, double* table)
{
    std::vector<uint64_t> keys(n);
    std::vector<uint64_t> scratch(n);
    ColumnKeys(values, n, 1, keys.data());
    BuildTableFromKeys(keys.data(), scratch.data(), n, table);
}
