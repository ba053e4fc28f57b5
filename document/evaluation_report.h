#pragma once

#include <string>

#include "document/evaluation.h"

// The evaluation as one JSON object, on one line with a line break after it:
//   {"records": R, "level_error": E, "outputs": [{"mae": M, "rmse": S}, ...]}
// and with classes also "accuracy": A, "undecided": U and "confusion": [[...], ...] (rows true
// classes, columns predicted classes). Reals are written with the fewest digits that read back
// to the same double, with a decimal point in every locale; a figure without records is null.
std::string FormatEvaluationJson(const Evaluation& evaluation);

// The evaluation as a table for reading: records, level error, one row per output with its mean
// absolute and root-mean-square error, and with classes the accuracy and the confusion matrix.
std::string FormatEvaluationTable(const Evaluation& evaluation);
