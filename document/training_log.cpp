#include "document/training_log.h"

#include <cmath>

#include "document/evaluation.h"
#include "document/real_format.h"

namespace {

// The fewest digits that read back to the same double; an empty cell for a figure that does
// not exist (no records).
std::string Cell(double value)
{
    return std::isfinite(value) ? FormatShortestReal(value) : std::string();
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
