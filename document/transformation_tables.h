#pragma once

#include <cstddef>
#include <cstdint>

// Entries of one transformation table: entry t is the real value that level t stands for.
inline constexpr int32_t TableLength = 256;

// The first level 0..254 whose entry is not less than value, else 255 (NaN gives 255).
uint8_t QuantizeThroughTable(const double* table, double value);

// Every entry of count tables laid end to end set to its own level.
void FillIdentityTables(double* tables, int32_t count);

// Builds one table from the column's n >= 1 values, sorted in place by a total order:
// entry t is sorted[t * n / 256].
void BuildTableFromColumn(double* values, size_t n, double* table);
