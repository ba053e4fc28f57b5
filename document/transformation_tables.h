#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

// Entries of one transformation table: entry t is the real value that level t stands for.
inline constexpr int32_t TableLength = 256;

// The first level 0..254 whose entry is not less than value, else 255 (NaN gives 255).
uint8_t QuantizeThroughTable(const double* table, double value);

// True when no entry among 0..254 is greater than the next: a binary search then finds the same
// level as the first-entry scan.
bool IsNonDecreasing(const double* table);

// The first level whose entry is not less than value, found by bisection in a non-decreasing
// table (NaN gives 255). Inline, so that a loop over many values overlaps their searches.
inline uint8_t QuantizeThroughSortedTable(const double* table, double value)
{
    if (std::isnan(value))
        return TableLength - 1;
    // Counts the entries among 0..254 below value without a branch, as a mispredicted branch
    // costs more than the search. Each round splits the range left into four and compares three
    // entries at once, so only four rounds wait on one another: every entry before a probed entry
    // below value is below it too.
    uint32_t below = 0;
    for (uint32_t step = TableLength / 4; step != 0; step /= 4) {
        below += step * (static_cast<uint32_t>(table[below + step - 1] < value) +
                         static_cast<uint32_t>(table[below + 2 * step - 1] < value) +
                         static_cast<uint32_t>(table[below + 3 * step - 1] < value));
    }
    return static_cast<uint8_t>(below);
}

// Every entry of count tables laid end to end set to its own level.
void FillIdentityTables(double* tables, int32_t count);

// Builds one table from the column's n >= 1 values: entry t is the value of rank t * n / 256 in
// the column sorted by a total order (-0 before +0).
void BuildTableFromColumn(const double* values, size_t n, double* table);

// The sort keys of n values taken every stride doubles from values: keys in unsigned order are
// the values in that total order.
void ColumnKeys(const double* values, size_t n, size_t stride, uint64_t* keys);

// BuildTableFromColumn over a column's n >= 1 keys, sorted in keys or scratch (n keys each).
void BuildTableFromKeys(uint64_t* keys, uint64_t* scratch, size_t n, double* table);

// Quantizes many values through one table, by bisection when the table allows it; gives the
// same levels as QuantizeThroughTable.
class TableQuantizer {
public:
    explicit TableQuantizer(const double* entries) : table(entries), sorted(IsNonDecreasing(entries)) {}

    uint8_t operator()(double value) const
    {
        return sorted ? QuantizeThroughSortedTable(table, value) : QuantizeThroughTable(table, value);
    }

private:
    const double* table;
    bool sorted;
};
