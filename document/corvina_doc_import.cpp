#include "document/corvina_doc.h"

#include "document/training_import.h"
#include "document/transformation_tables.h"

void CCorvinaDoc::ImportTrainingData(std::string path, bool makeNewTables)
{
    patterns.clear();
    const int32_t inputs = GetInputCount();
    const int32_t count = inputs + GetOutputCount();
    const RawRecords records = ReadRawRecords(path, count);
    const size_t n = records.GetRecordCount();
    if (n != 0) {
        if (makeNewTables)
            BuildTablesFromRecords(records, inputs, inputTables.get(), outputTables.get());
        std::vector<TableQuantizer> columns;
        for (int32_t j = 0; j < count; ++j)
            columns.emplace_back(j < inputs ? GetTable(Column::Input, j) : GetTable(Column::Output, j - inputs));
        patterns.reserve(n);
        for (size_t record = 0; record < n; ++record) {
            auto pattern = std::make_unique<TrainingPattern>(count);
            for (int32_t j = 0; j < count; ++j)
                pattern->SetLevel(j, columns[static_cast<size_t>(j)](records.GetValue(record, static_cast<size_t>(j))));
            patterns.push_back(std::move(pattern));
        }
    }
    ResetStatistics();
    UpdateAllViews(nullptr, UpdateHint::All);
}

void CCorvinaDoc::OnSelectTd()
{
    if (userInterface == nullptr)
        return;
    TrainingDataFields fields;
    if (!userInterface->dialogs.RunTrainingDataDialog(fields))
        return;
    ImportTrainingData(fields.path, fields.makeNewTables);
    SetModifiedFlag();
}
