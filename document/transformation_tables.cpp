#include "document/transformation_tables.h"

#include <algorithm>
#include <cmath>

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

uint8_t QuantizeThroughSortedTable(const double* table, double value)
{
    if (std::isnan(value))
        return TableLength - 1;
    const double* last = table + TableLength - 1;
    return static_cast<uint8_t>(std::lower_bound(table, last, value) - table);
}

void FillIdentityTables(double* tables, int32_t count)
{
    for (int32_t column = 0; column < count; ++column) {
        for (int32_t level = 0; level < TableLength; ++level)
            tables[column * TableLength + level] = level;
    }
}

namespace {

// A total order: -0 before +0, so equal data always give the same table bytes.
bool TotallyBefore(double a, double b)
{
    if (a == b)
        return std::signbit(a) && !std::signbit(b);
    return a < b;
}

// Puts the values of ranks[first..last) at their sorted places within values[begin..end),
// selecting the middle rank and splitting around it: far cheaper than a full sort.
void SelectRanks(double* values, size_t begin, size_t end, const size_t* ranks, size_t first, size_t last)
{
    if (first >= last)
        return;
    const size_t middle = first + (last - first) / 2;
    const size_t rank = ranks[middle];
    std::nth_element(values + begin, values + rank, values + end, TotallyBefore);
    SelectRanks(values, begin, rank, ranks, first, middle);
    SelectRanks(values, rank + 1, end, ranks, middle + 1, last);
}

}  // namespace

void BuildTableFromColumn(double* values, size_t n, double* table)
{
    size_t ranks[TableLength];
    size_t distinct = 0;
    for (uint64_t level = 0; level < TableLength; ++level) {
        const size_t rank = static_cast<size_t>(level * n / TableLength);
        if (distinct == 0 || ranks[distinct - 1] != rank)
            ranks[distinct++] = rank;
    }
    SelectRanks(values, 0, n, ranks, 0, distinct);
    for (uint64_t level = 0; level < TableLength; ++level)
        table[level] = values[level * n / TableLength];
}
