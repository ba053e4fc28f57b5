#pragma once

#include <cstdint>
#include <string>

struct Evaluation;

// The rows of a training log, a CSV file for plotting: one row every few passes with the passes
// count and the average error, and when the network is evaluated, the evaluation's level error
// and, with classes, its accuracy. Reals have a decimal point in every locale.

// Which columns a log has.
struct TrainingLogColumns {
    bool evaluation = false;
    bool accuracy = false;
};

// "passes,average_error[,evaluation_error[,accuracy]]" and a line break.
std::string TrainingLogHeader(const TrainingLogColumns& columns);

// One row of the columns; evaluation may be null only when the columns have no evaluation.
std::string TrainingLogRow(const TrainingLogColumns& columns, uint32_t passes, int32_t averageError,
                           const Evaluation* evaluation);
