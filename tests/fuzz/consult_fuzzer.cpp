// Plural Consult on any text through any tables, NaN, infinities and unsorted entries included:
// every line of the answer file is what a single consultation of that row gives, where each
// value is quantized by a plain scan of its table.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "document/training_import.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// One table entry from one byte: the values that break a bisection most often, and a ramp.
double EntryOf(uint8_t code)
{
    static const double special[] = {
        std::numeric_limits<double>::quiet_NaN(), INFINITY, -INFINITY, -0.0, 0.0, DBL_MAX, -DBL_MAX,
        DBL_TRUE_MIN, -DBL_TRUE_MIN, 1e300, -1e-300, 0.5, -0.5, 1.0, -1.0, 2.0,
    };
    if (code < std::size(special))
        return special[code];
    return (static_cast<int32_t>(code) - 128) * 0.25;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Session session;
    if (size == 0)
        return 0;
    CCorvinaDoc& document = session.document;
    const int32_t inputs = 1 + (data[0] & 3);
    const int32_t outputs = std::min(inputs / 3 + 1 + ((data[0] >> 2) & 3), 3 * inputs - 1);
    FUZZ_CHECK(document.ChangeShape(1 + ((data[0] >> 4) & 1), inputs, outputs));
    // Weights that make the outputs depend on the inputs, the same for every run.
    RandomSource draws(12345);
    document.Model().GetNet().Randomize(draws);
    // Then one byte per table entry, input columns first, and the rest is the input file.
    size_t at = 1;
    for (Column column : {Column::Input, Column::Output}) {
        for (int32_t index = 0; index < (column == Column::Input ? inputs : outputs); ++index) {
            double* table = document.Model().GetTable(column, index);
            for (int32_t level = 0; level < 256; ++level)
                table[level] = EntryOf(at < size ? data[at++] : static_cast<uint8_t>(level));
        }
    }
    const std::string text(reinterpret_cast<const char*>(data) + at, size - at);
    session.user.consult.inputPath = WriteScratch("rows.txt", text);
    session.user.consult.outputPath = ScratchPath("answers.txt");
    session.user.consultOutcome = {true, ConsultPage::Plural};
    session.Clear();
    document.SetModifiedFlag(false);

    document.OnConsult();
    FUZZ_CHECK(session.user.stopMessages.empty());
    FUZZ_CHECK(!document.IsModified());
    const RawRecords rows = ReadRawRecords(session.user.consult.inputPath, inputs);
    std::string expected;
    for (size_t row = 0; row < rows.GetRecordCount(); ++row) {
        std::vector<double> values;
        for (int32_t i = 0; i < inputs; ++i)
            values.push_back(rows.GetValue(row, static_cast<size_t>(i)));
        const std::vector<double> answers = document.Model().Consult(values);
        for (int32_t j = 0; j < outputs; ++j) {
            char value[32];
            std::snprintf(value, sizeof value, j + 1 < outputs ? "%g " : "%g\n", answers[static_cast<size_t>(j)]);
            expected += value;
        }
    }
    FUZZ_CHECK(ReadFile(ScratchPath("answers.txt")) == expected);
    return 0;
}
