#include "document/training_log.h"

#include <charconv>
#include <cmath>

#include "document/evaluation.h"

namespace {

// The fewest digits that read back to the same double; an empty cell for a figure that does
// not exist (no records).
std::string Cell(double value)
{
    if (!std::isfinite(value))
        return "";
    char text[32];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

}  // namespace

std::string TrainingLogHeader(const TrainingLogColumns& columns)
{
    std::string header = "passes,average_error";
    if (columns.evaluation)
        header += ",evaluation_error";
    if (columns.evaluation && columns.accuracy)
        header += ",accuracy";
    return header + "\n";
}

std::string TrainingLogRow(const TrainingLogColumns& columns, uint32_t passes, int32_t averageError,
                           const Evaluation* evaluation)
{
    std::string row = std::to_string(passes);
    row += ',';
    row += std::to_string(averageError);
    if (columns.evaluation) {
        row += ',';
        if (evaluation != nullptr)
            row += Cell(evaluation->levelError);
        if (columns.accuracy) {
            row += ',';
            if (evaluation != nullptr && evaluation->classFigures)
                row += Cell(evaluation->classFigures->accuracy);
        }
    }
    row += '\n';
    return row;
}
