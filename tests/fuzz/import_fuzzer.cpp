// Select TD on any text, for small shapes, with and without new tables: a file without a
// complete record is refused and changes nothing; otherwise every record becomes a pattern of
// the levels a plain scan of the tables gives, a few passes run, and the save reloads whole.
#include <algorithm>

#include "document/training_import.h"
#include "document/transformation_tables.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Session session;
    if (size == 0)
        return 0;
    CCorvinaDoc& document = session.document;
    // The first byte picks the shape and whether the tables are rebuilt; the rest is the file.
    const uint8_t choice = data[0];
    const int32_t layers = 1 + (choice & 1);
    const int32_t inputs = 1 + ((choice >> 1) & 3);
    const int32_t outputs = std::min(inputs / 3 + 1 + ((choice >> 3) & 3), 3 * inputs - 1);
    const bool makeNewTables = (choice & 0x80) != 0;
    FUZZ_CHECK(document.ChangeShape(layers, inputs, outputs));
    document.SetModifiedFlag(false);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string path = WriteScratch("data.txt", text);
    session.user.trainingData = {path, makeNewTables};
    session.Clear();
    const std::string before = WriteNetwork(document.Model());

    document.OnSelectTd();
    const int32_t count = inputs + outputs;
    const RawRecords records = ReadRawRecords(path, count);
    const size_t n = records.GetRecordCount();
    if (n == 0) {
        FUZZ_CHECK(session.user.stopMessages.size() == 1);
        FUZZ_CHECK(WriteNetwork(document.Model()) == before);
        FUZZ_CHECK(!document.IsModified());
        return 0;
    }
    FUZZ_CHECK(session.user.stopMessages.empty());
    FUZZ_CHECK(session.user.statusNotes.size() == 1);
    FUZZ_CHECK(session.user.statusNotes[0].empty() == !records.stop.IsEarly());
    FUZZ_CHECK(document.IsModified());
    FUZZ_CHECK(static_cast<size_t>(document.GetPatternsCount()) == n);
    FUZZ_CHECK(document.GetPassesCount() == 0 && document.GetAverageError() == 10922);
    for (int32_t j = 0; j < count; ++j) {
        const double* table = j < inputs ? document.Model().GetTable(Column::Input, j)
                                         : document.Model().GetTable(Column::Output, j - inputs);
        if (makeNewTables)
            FUZZ_CHECK(IsNonDecreasing(table));
        for (size_t record = 0; record < n; ++record) {
            const uint8_t level = QuantizeThroughTable(table, records.GetValue(record, static_cast<size_t>(j)));
            FUZZ_CHECK(document.Model().GetPatterns()[record]->GetLevel(j) == level);
        }
    }

    for (int32_t pass = 0; pass < 3; ++pass)
        document.TrainPass();
    FUZZ_CHECK(document.GetPassesCount() == 3);
    const std::string saved = WriteNetwork(document.Model());
    const size_t neurons = static_cast<size_t>(layers * inputs + outputs);
    FUZZ_CHECK(saved.size() == 24 + 4 * neurons + (2048 + n) * static_cast<size_t>(count));
    document.SetModifiedFlag(false);
    FUZZ_CHECK(session.manager.OpenDocumentFile(WriteScratch("saved.cvn", saved)));
    FUZZ_CHECK(WriteNetwork(document.Model()) == saved);
    return 0;
}
