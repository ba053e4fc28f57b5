#include "document/corvina_doc.h"

#include <algorithm>
#include <new>

#include "document/training_import.h"
#include "document/transformation_tables.h"

void CCorvinaDoc::ImportTrainingData(std::string path, bool makeNewTables)
{
    ImportRecords(ReadRawRecords(path, GetInputCount() + GetOutputCount()), makeNewTables);
}

// Everything new is built aside first, so running out of memory leaves the document as it was.
void CCorvinaDoc::ImportRecords(const RawRecords& records, bool makeNewTables)
{
    const int32_t inputs = GetInputCount();
    const int32_t count = inputs + GetOutputCount();
    const size_t n = records.GetRecordCount();
    const auto inputEntries = static_cast<size_t>(inputs) * TableLength;
    const auto outputEntries = static_cast<size_t>(GetOutputCount()) * TableLength;
    std::vector<double> newInputTables(inputTables.get(), inputTables.get() + inputEntries);
    std::vector<double> newOutputTables(outputTables.get(), outputTables.get() + outputEntries);
    std::vector<std::unique_ptr<TrainingPattern>> newPatterns;
    if (n != 0) {
        if (makeNewTables)
            BuildTablesFromRecords(records, inputs, newInputTables.data(), newOutputTables.data());
        std::vector<TableQuantizer> columns;
        for (int32_t j = 0; j < count; ++j)
            columns.emplace_back(j < inputs ? &newInputTables[static_cast<size_t>(j) * TableLength]
                                            : &newOutputTables[static_cast<size_t>(j - inputs) * TableLength]);
        newPatterns.reserve(n);
        for (size_t record = 0; record < n; ++record) {
            auto pattern = std::make_unique<TrainingPattern>(count);
            for (int32_t j = 0; j < count; ++j)
                pattern->SetLevel(j, columns[static_cast<size_t>(j)](records.GetValue(record, static_cast<size_t>(j))));
            newPatterns.push_back(std::move(pattern));
        }
    }
    std::copy(newInputTables.begin(), newInputTables.end(), inputTables.get());
    std::copy(newOutputTables.begin(), newOutputTables.end(), outputTables.get());
    patterns = std::move(newPatterns);
    ResetStatistics();
    UpdateAllViews(nullptr, UpdateHint::All);
}

// A file that cannot be read or holds no complete record would wipe the patterns for nothing:
// it is reported and the document stays exactly as it was.
void CCorvinaDoc::OnSelectTd()
{
    if (userInterface == nullptr)
        return;
    TrainingDataFields fields;
    if (!userInterface->dialogs.RunTrainingDataDialog(fields))
        return;
    try {
        const RawRecords records = ReadRawRecords(fields.path, GetInputCount() + GetOutputCount());
        if (const std::string refusal = DescribeImportRefusal(records, fields.path); !refusal.empty()) {
            userInterface->messages.ShowStopMessage(refusal);
            return;
        }
        ImportRecords(records, fields.makeNewTables);
        SetModifiedFlag();
        userInterface->messages.ShowStatusNote(
            DescribeEarlyStop(records.GetRecordCount(), "record", fields.path, records.stop));
    } catch (const std::bad_alloc&) {
        userInterface->messages.ShowStopMessage("There is not enough memory to import the training data file " +
                                                fields.path + ".");
    }
}
