#include "document/training_import.h"

#include "document/number_reader.h"
#include "document/transformation_tables.h"

RawRecords ReadRawRecords(const std::string& path, int32_t count, WorkProgress* progress)
{
    RawRecords records;
    records.count = static_cast<size_t>(count);
    NumberReader reader(path);
    records.openError = reader.OpenError();
    double value = 0;
    size_t inRecord = 0;
    size_t untilReport = ValuesPerProgressReport;
    while (reader.Next(value)) {
        records.values.push_back(value);
        inRecord = inRecord + 1 == records.count ? 0 : inRecord + 1;
        if (--untilReport == 0) {
            untilReport = ValuesPerProgressReport;
            ReportProgress(progress, ReadingStep, reader.BytesRead(), reader.FileSize());
        }
    }
    records.values.resize(records.values.size() - inRecord);
    records.stop = reader.Stop();
    return records;
}

std::string DescribeImportRefusal(const RawRecords& records, const std::string& path)
{
    if (path.empty())
        return "No training data file was given.";
    if (!records.openError.empty())
        return "The training data file " + path + " cannot be read: " + records.openError + ".";
    if (records.GetRecordCount() != 0)
        return "";
    std::string text = "The training data file " + path + " holds no complete record of " +
                       std::to_string(records.count) + " numbers";
    if (records.stop.IsEarly())
        text += "; " + DescribeStop(records.stop);
    return text + ".";
}

void BuildTablesFromRecords(const RawRecords& records, int32_t inputs, double* inputTables,
                            double* outputTables, WorkProgress* progress)
{
    const size_t n = records.GetRecordCount();
    if (n == 0)
        return;
    std::vector<uint64_t> keys(n);
    std::vector<uint64_t> scratch(n);
    for (size_t c = 0; c < records.count; ++c) {
        ColumnKeys(records.values.data() + c, n, records.count, keys.data());
        const auto inputCount = static_cast<size_t>(inputs);
        double* table = c < inputCount ? inputTables + c * TableLength
                                       : outputTables + (c - inputCount) * TableLength;
        BuildTableFromKeys(keys.data(), scratch.data(), n, table);
        ReportProgress(progress, TablesStep, c + 1, records.count);
    }
}
