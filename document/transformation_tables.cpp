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

void BuildTableFromColumn(double* values, size_t n, double* table)
{
    // A total order puts -0 before +0, so equal data always give the same table bytes.
    std::sort(values, values + n, [](double a, double b) {
        if (a == b)
            return std::signbit(a) && !std::signbit(b);
        return a < b;
    });
    for (uint64_t level = 0; level < TableLength; ++level)
        table[level] = values[level * n / TableLength];
}
