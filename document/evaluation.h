#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "document/training_pattern.h"

class DiscreteNet;

// Evaluation: how well a network answers a set of records whose answers are known, as
// consultation runs it (quantize the inputs, forward, dequantize the outputs).

// The records an evaluation runs on, as levels, with the targets also in the data's own units.
struct EvaluationSet {
    int32_t inputs = 0;
    int32_t outputs = 0;
    // Input i of record r at r * inputs + i.
    std::vector<uint8_t> inputLevels;
    // Target t of record r at r * outputs + t, as a level and as a real value.
    std::vector<uint8_t> targetLevels;
    std::vector<double> targetValues;

    size_t GetRecordCount() const { return inputs == 0 ? 0 : inputLevels.size() / static_cast<size_t>(inputs); }
};

// The transformation tables of a network: 256 entries per column, column after column.
struct TableBlocks {
    std::span<const double> input;
    std::span<const double> output;
};

// A set from records of real numbers laid end to end (inputs, then outputs, as the import reads
// them; an incomplete last record is left out): the inputs and the targets quantized through the
// tables, the targets kept as they are for the real-valued figures.
EvaluationSet QuantizeRecords(std::span<const double> values, int32_t inputs, int32_t outputs,
                              const TableBlocks& tables);

// A set from training patterns, which hold levels only: their target values are the target
// levels dequantized through the output tables.
EvaluationSet SetFromPatterns(const std::vector<std::unique_ptr<TrainingPattern>>& patterns, int32_t inputs,
                              int32_t outputs, std::span<const double> outputTables);

// The errors of one output in the data's own units: the mean absolute and the root-mean-square
// difference between the dequantized output and the target value.
struct OutputErrors {
    double mae = 0;
    double rmse = 0;
};

// The classification figures. Output t belongs to class t mod classes; a record's predicted class
// is the class with the greatest sum of output levels, its true class the class with the greatest
// sum of target values. A tie for the greatest sum on either side leaves the record undecided: it
// counts as a miss and in no cell of the confusion matrix.
struct ClassFigures {
    int32_t classes = 0;
    size_t correct = 0;
    size_t undecided = 0;
    // correct / records; NaN without records.
    double accuracy = 0;
    // Records of true class i predicted as class j at i * classes + j.
    std::vector<size_t> confusion;

    size_t Cell(int32_t trueClass, int32_t predictedClass) const
    {
        return confusion[static_cast<size_t>(trueClass) * static_cast<size_t>(classes) +
                         static_cast<size_t>(predictedClass)];
    }
};

struct Evaluation {
    size_t records = 0;
    int32_t outputs = 0;
    // The sum over records and outputs of (c - target level)^2, where c is the level of the
    // output's neuron: the output level less one, or 0 for output level 0. That is the level
    // Learn compares with the target, so this is the sum Learn forms, record by record.
    uint64_t squaredLevelErrors = 0;
    // The mean squared level error over outputs: squaredLevelErrors / (records * outputs),
    // exact to double precision, not rounded to an integer (NaN without records). Learn returns
    // the same mean for one pattern, but divided stochastically to an integer: rounded up with a
    // chance equal to the fraction, so its expected value is this mean's. The average error is
    // the mean of 100000 such results truncated, so a network evaluated on its own patterns
    // shows an average error near this figure rounded down, once the history holds its passes.
    double levelError = 0;
    std::vector<OutputErrors> outputErrors;
    std::optional<ClassFigures> classFigures;
};

// Called now and then during a long evaluation with the records done so far and their total.
using EvaluationProgress = std::function<void(size_t done, size_t total)>;

// Evaluates net (built on a buffer of set.inputs inputs and set.outputs outputs) on every
// record of set; classes is 0 for no class figures, else as IsClassCountValid admits (other
// counts throw std::invalid_argument). The network's weights are untouched; its levels and
// buffer then hold the last record's pass.
Evaluation Evaluate(DiscreteNet& net, std::span<const double> outputTables, const EvaluationSet& set,
                    int32_t classes = 0, const EvaluationProgress& progress = {});

// True when outputs outputs can stand for classes classes: 2 to the output count, at most
// MaxClassCount.
bool IsClassCountValid(int64_t classes, int32_t outputs);
