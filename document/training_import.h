#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/number_reader.h"
#include "framework/work_progress.h"

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

// Reads the records of path, telling progress (when given) how many bytes of the file are read.
RawRecords ReadRawRecords(const std::string& path, int32_t count, WorkProgress* progress = nullptr);

// The names of the steps of an import, as progress hears them.
inline constexpr std::string_view ReadingStep = "Reading the data file";
inline constexpr std::string_view TablesStep = "Building the transformation tables";
inline constexpr std::string_view ConvertingStep = "Converting the records";

// Values read between two progress reports: rare enough to cost nothing, often enough for a
// progress bar to move smoothly.
inline constexpr size_t ValuesPerProgressReport = size_t{1} << 16;

// Why the records read from path cannot replace a document's patterns (the file could not be
// read, or holds no complete record), as a sentence; empty when they can.
std::string DescribeImportRefusal(const RawRecords& records, const std::string& path);

// Builds the tables of every column from the records: inputs columns into inputTables, the
// rest into outputTables. With no record the tables stay as they are. progress, when given,
// hears of every column done.
void BuildTablesFromRecords(const RawRecords& records, int32_t inputs, double* inputTables,
                            double* outputTables, WorkProgress* progress = nullptr);
