#pragma once

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
// table (NaN gives 255).
uint8_t QuantizeThroughSortedTable(const double* table, double value);

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
