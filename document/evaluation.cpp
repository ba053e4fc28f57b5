#include "document/evaluation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "document/learning_settings.h"
#include "document/transformation_tables.h"
#include "engine/discrete_net.h"

namespace {

// Neuron passes per call of ForwardRows: enough rows for the vector paths to run side by side,
// few enough that progress comes every few milliseconds whatever the network's size.
constexpr int64_t ChunkWork = int64_t{1} << 22;
constexpr size_t MinChunkRows = 64;
constexpr size_t MaxChunkRows = size_t{1} << 16;

size_t RowsPerChunk(int32_t neuronCount)
{
    const auto rows = static_cast<size_t>(ChunkWork / std::max(neuronCount, 1));
    return std::clamp(rows, MinChunkRows, MaxChunkRows);
}

const double* Column(std::span<const double> tables, size_t column)
{
    return tables.data() + column * TableLength;
}

// The index of the one greatest of values, or -1 when the greatest is shared.
template <typename Value>
int32_t UniqueArgmax(const std::vector<Value>& values)
{
    const auto greatest = std::max_element(values.begin(), values.end());
    if (std::count(values.begin(), values.end(), *greatest) != 1)
        return -1;
    return static_cast<int32_t>(greatest - values.begin());
}

// Adds up the class figures record by record.
class ClassTally {
public:
    ClassTally(int32_t classes, int32_t outputs)
        : classCount(classes), outputCount(outputs), outputSums(static_cast<size_t>(classes)),
          targetSums(static_cast<size_t>(classes))
    {
        figures.classes = classes;
        figures.confusion.assign(static_cast<size_t>(classes) * static_cast<size_t>(classes), 0);
    }

    void Add(const uint8_t* outputLevels, const double* targetValues)
    {
        std::fill(outputSums.begin(), outputSums.end(), 0);
        std::fill(targetSums.begin(), targetSums.end(), 0.0);
        for (int32_t t = 0; t < outputCount; ++t) {
            const auto c = static_cast<size_t>(t % classCount);
            outputSums[c] += outputLevels[t];
            targetSums[c] += targetValues[t];
        }
        const int32_t predicted = UniqueArgmax(outputSums);
        const int32_t actual = UniqueArgmax(targetSums);
        if (predicted < 0 || actual < 0) {
            ++figures.undecided;
            return;
        }
        ++figures.confusion[static_cast<size_t>(actual) * static_cast<size_t>(classCount) +
                            static_cast<size_t>(predicted)];
        figures.correct += predicted == actual ? 1 : 0;
    }

    ClassFigures Finish(size_t records)
    {
        figures.accuracy = records == 0 ? std::numeric_limits<double>::quiet_NaN()
                                        : static_cast<double>(figures.correct) / static_cast<double>(records);
        return figures;
    }

private:
    int32_t classCount;
    int32_t outputCount;
    std::vector<int64_t> outputSums;
    std::vector<double> targetSums;
    ClassFigures figures;
};

}  // namespace

bool IsClassCountValid(int64_t classes, int32_t outputs)
{
    return classes >= 2 && classes <= outputs && classes <= MaxClassCount;
}

EvaluationSet QuantizeRecords(std::span<const double> values, int32_t inputs, int32_t outputs,
                              const TableBlocks& tables)
{
    EvaluationSet set;
    set.inputs = inputs;
    set.outputs = outputs;
    const auto inputCount = static_cast<size_t>(inputs);
    const auto outputCount = static_cast<size_t>(outputs);
    const size_t records = values.size() / (inputCount + outputCount);
    std::vector<TableQuantizer> inputColumns;
    std::vector<TableQuantizer> outputColumns;
    for (size_t i = 0; i < inputCount; ++i)
        inputColumns.emplace_back(Column(tables.input, i));
    for (size_t t = 0; t < outputCount; ++t)
        outputColumns.emplace_back(Column(tables.output, t));
    set.inputLevels.reserve(records * inputCount);
    set.targetLevels.reserve(records * outputCount);
    set.targetValues.reserve(records * outputCount);
    const double* record = values.data();
    for (size_t r = 0; r < records; ++r) {
        for (size_t i = 0; i < inputCount; ++i)
            set.inputLevels.push_back(inputColumns[i](*record++));
        for (size_t t = 0; t < outputCount; ++t) {
            set.targetLevels.push_back(outputColumns[t](*record));
            set.targetValues.push_back(*record++);
        }
    }
    return set;
}

EvaluationSet SetFromPatterns(const std::vector<std::unique_ptr<TrainingPattern>>& patterns, int32_t inputs,
                              int32_t outputs, std::span<const double> outputTables)
{
    EvaluationSet set;
    set.inputs = inputs;
    set.outputs = outputs;
    const auto inputCount = static_cast<size_t>(inputs);
    const auto outputCount = static_cast<size_t>(outputs);
    set.inputLevels.reserve(patterns.size() * inputCount);
    set.targetLevels.reserve(patterns.size() * outputCount);
    set.targetValues.reserve(patterns.size() * outputCount);
    for (const auto& pattern : patterns) {
        const uint8_t* levels = pattern->GetData();
        set.inputLevels.insert(set.inputLevels.end(), levels, levels + inputCount);
        for (size_t t = 0; t < outputCount; ++t) {
            const uint8_t level = levels[inputCount + t];
            set.targetLevels.push_back(level);
            set.targetValues.push_back(Column(outputTables, t)[level]);
        }
    }
    return set;
}

Evaluation Evaluate(DiscreteNet& net, std::span<const double> outputTables, const EvaluationSet& set, int32_t classes,
                    const EvaluationProgress& progress)
{
    if (classes != 0 && !IsClassCountValid(classes, set.outputs))
        throw std::invalid_argument("a network of " + std::to_string(set.outputs) + " outputs cannot stand for " +
                                    std::to_string(classes) + " classes");
    const size_t records = set.GetRecordCount();
    const auto inputCount = static_cast<size_t>(set.inputs);
    const auto outputCount = static_cast<size_t>(set.outputs);
    Evaluation evaluation;
    evaluation.records = records;
    evaluation.outputs = set.outputs;
    std::vector<double> absoluteSums(outputCount);
    std::vector<double> squareSums(outputCount);
    std::optional<ClassTally> tally;
    if (classes != 0)
        tally.emplace(classes, set.outputs);

    const size_t chunk = std::min(RowsPerChunk(net.GetNeuronCount()), std::max<size_t>(records, 1));
    std::vector<uint8_t> outputRows(chunk * outputCount);
    for (size_t first = 0; first < records; first += chunk) {
        const size_t rows = std::min(chunk, records - first);
        net.ForwardRows(set.inputLevels.data() + first * inputCount, static_cast<int64_t>(rows), outputRows.data());
        for (size_t row = 0; row < rows; ++row) {
            const uint8_t* levels = outputRows.data() + row * outputCount;
            const size_t at = (first + row) * outputCount;
            for (size_t t = 0; t < outputCount; ++t) {
                // The neuron's own level is one below its output level (0 stays 0).
                const int32_t level = levels[t] == 0 ? 0 : levels[t] - 1;
                const int32_t difference = level - set.targetLevels[at + t];
                evaluation.squaredLevelErrors += static_cast<uint64_t>(difference * difference);
                const double error = Column(outputTables, t)[levels[t]] - set.targetValues[at + t];
                absoluteSums[t] += std::fabs(error);
                squareSums[t] += error * error;
            }
            if (tally)
                tally->Add(levels, set.targetValues.data() + at);
        }
        if (progress)
            progress(first + rows, records);
    }

    const auto count = static_cast<double>(records);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    evaluation.levelError = records == 0 ? nan
                                         : static_cast<double>(evaluation.squaredLevelErrors) /
                                               (count * static_cast<double>(outputCount));
    for (size_t t = 0; t < outputCount; ++t) {
        evaluation.outputErrors.push_back(records == 0 ? OutputErrors{nan, nan}
                                                       : OutputErrors{absoluteSums[t] / count,
                                                                      std::sqrt(squareSums[t] / count)});
    }
    if (tally)
        evaluation.classFigures = tally->Finish(records);
    return evaluation;
}
