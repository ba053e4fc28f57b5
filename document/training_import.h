#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/number_reader.h"

// The complete records of a training-data file, count values each, laid end to end in file
// order, and how reading went. A file that cannot be opened gives none; a short last record is
// dropped.
struct RawRecords {
    std::vector<double> values;
    size_t count = 0;
    // Why the file could not be opened; empty when it was.
    std::string openError;
    ReadingStop stop;

    size_t GetRecordCount() const { return count == 0 ? 0 : values.size() / count; }
    double GetValue(size_t record, size_t index) const { return values[record * count + index]; }
};

RawRecords ReadRawRecords(const std::string& path, int32_t count);

// Why the records read from path cannot replace a document's patterns (the file could not be
// read, or holds no complete record), as a sentence; empty when they can.
std::string DescribeImportRefusal(const RawRecords& records, const std::string& path);

// Builds the tables of every column from the records: inputs columns into inputTables, the
// rest into outputTables. With no record the tables stay as they are.
void BuildTablesFromRecords(const RawRecords& records, int32_t inputs, double* inputTables,
                            double* outputTables);
