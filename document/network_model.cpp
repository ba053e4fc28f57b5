#include "document/network_model.h"

#include <algorithm>
#include <stdexcept>

#include "document/number_reader.h"
#include "document/real_format.h"
#include "document/same_file.h"
#include "document/training_import.h"
#include "document/transformation_tables.h"
#include "engine/network_shape.h"
#include "framework/output_file.h"

namespace {

constexpr uint64_t DrawRange = uint64_t{RandomSource::Max} + 1;

// The largest error a pass can have: 255 squared, the range Learn is made for.
constexpr int32_t MaxPassError = 65025;

// Answers gathered before they are written: a few pages of text.
constexpr size_t OutputChunk = size_t{1} << 16;

// Consultation runs the network on batches of rows: up to MaxBatchRows, and about BatchBytes of
// input and output levels at most.
constexpr size_t MaxBatchRows = 1024;
constexpr size_t BatchBytes = size_t{1} << 18;

}  // namespace

NetworkModel::NetworkModel(RandomSource randomSource) : random(std::move(randomSource))
{
    Reshape(DefaultLayers, DefaultInputs, DefaultOutputs);
}

NetworkModel::~NetworkModel() = default;

// Everything is built aside first, so a refused or too large shape leaves the old network.
void NetworkModel::CreateNetwork(int32_t newLayers, int32_t inputs, int32_t outputs)
{
    if (!IsShapeBuildable(newLayers, inputs, outputs))
        throw std::length_error("network shape cannot be built");
    const auto neuronCount = static_cast<int32_t>(NeuronCountOf(newLayers, inputs, outputs));
    auto newBuffer = std::make_unique<PatternBuffer>(inputs, outputs);
    auto newNet = std::make_unique<DiscreteNet>(neuronCount, *newBuffer);
    std::vector<double> newInputTables(static_cast<size_t>(inputs) * TableLength);
    std::vector<double> newOutputTables(static_cast<size_t>(outputs) * TableLength);
    newNet->Wire();

    ForgetBest();
    net.reset();
    patterns.clear();
    layers = newLayers;
    patternBuffer = std::move(newBuffer);
    net = std::move(newNet);
    inputTables = std::move(newInputTables);
    outputTables = std::move(newOutputTables);
}

void NetworkModel::Reshape(int32_t newLayers, int32_t inputs, int32_t outputs)
{
    CreateNetwork(newLayers, inputs, outputs);
    FillIdentityTables(inputTables.data(), inputs);
    FillIdentityTables(outputTables.data(), outputs);
    ResetStatistics();
}

void NetworkModel::TakeNetworkFrom(NetworkModel&& other)
{
    ForgetBest();
    net.reset();
    settings = other.settings;
    layers = other.layers;
    patternBuffer = std::move(other.patternBuffer);
    net = std::move(other.net);
    inputTables = std::move(other.inputTables);
    outputTables = std::move(other.outputTables);
    patterns = std::move(other.patterns);
    errorHistory = std::move(other.errorHistory);
    passes = other.passes;
}

void NetworkModel::ResetStatistics()
{
    ForgetBest();
    passes = 0;
    errorHistory.Fill(ErrorHistory::ResetValue);
}

void NetworkModel::RestoreStatistics(uint32_t passesCount, int32_t average)
{
    passes = passesCount;
    errorHistory.Fill(average);
}

void NetworkModel::Randomize()
{
    ResetStatistics();
    net->Randomize(random);
}

void NetworkModel::ErasePatterns()
{
    patterns.clear();
    ResetStatistics();
}

// One draw modulo the count for up to 32768 patterns; beyond that, enough draws are combined
// into one wider number and out-of-range results redrawn, so every pattern has an equal chance.
int32_t NetworkModel::DrawPatternIndex()
{
    const auto count = static_cast<uint64_t>(patterns.size());
    if (count <= DrawRange)
        return static_cast<int32_t>(static_cast<uint64_t>(random.Draw()) % count);
    uint64_t range = DrawRange;
    int32_t draws = 1;
    while (range < count) {
        range *= DrawRange;
        ++draws;
    }
    const uint64_t limit = range - range % count;
    for (;;) {
        uint64_t combined = 0;
        for (int32_t draw = 0; draw < draws; ++draw)
            combined = combined * DrawRange + static_cast<uint64_t>(random.Draw());
        if (combined < limit)
            return static_cast<int32_t>(combined % count);
    }
}

bool NetworkModel::TrainPass()
{
    if (patterns.empty())
        return false;
    const TrainingPattern& pattern = *patterns[static_cast<size_t>(DrawPatternIndex())];
    const int32_t inputs = GetInputCount();
    for (int32_t i = 0; i < inputs; ++i)
        patternBuffer->SetInput(i, pattern.GetLevel(i));
    net->Forward();
    for (int32_t i = 0; i < GetOutputCount(); ++i)
        net->SetTarget(i, pattern.GetLevel(inputs + i));
    // The learning rate is the running average error of the last passes: a network that still
    // errs much takes large steps, one that has learned takes small ones. A loaded average may
    // lie outside the range Learn is made for (a file of an older build whose error sum wrapped
    // carries one), so it is held to that range.
    const int32_t rate = std::clamp(errorHistory.GetAverage(), 0, MaxPassError);
    errorHistory.Record(net->Learn(rate, random, settings.rounding));
    ++passes;
    lastPassEvaluated = keepBest != nullptr && keepBest->IsDue(passes);
    if (lastPassEvaluated)
        EvaluateForBest();
    return true;
}

// Everything new is built aside first, so running out of memory leaves the model as it was.
void NetworkModel::ImportRecords(const RawRecords& records, bool makeNewTables, WorkProgress* progress)
{
    const int32_t inputs = GetInputCount();
    const int32_t count = inputs + GetOutputCount();
    const size_t n = records.GetRecordCount();
    std::vector<double> newInputTables = inputTables;
    std::vector<double> newOutputTables = outputTables;
    std::vector<std::unique_ptr<TrainingPattern>> newPatterns;
    if (n != 0) {
        if (makeNewTables)
            BuildTablesFromRecords(records, inputs, newInputTables.data(), newOutputTables.data(), progress);
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
            if ((record + 1) % ValuesPerProgressReport == 0)
                ReportProgress(progress, ConvertingStep, record + 1, n);
        }
    }
    inputTables = std::move(newInputTables);
    outputTables = std::move(newOutputTables);
    patterns = std::move(newPatterns);
    ResetStatistics();
}

std::vector<double> NetworkModel::Consult(std::span<const double> inputs)
{
    for (int32_t i = 0; i < GetInputCount(); ++i)
        patternBuffer->SetInput(i, Quantize(inputs[static_cast<size_t>(i)], Column::Input, i));
    net->Forward();
    std::vector<double> outputs;
    for (int32_t j = 0; j < GetOutputCount(); ++j)
        outputs.push_back(Dequantize(patternBuffer->GetOutput(j), Column::Output, j));
    return outputs;
}

// The input is opened before the output is touched, so an input that cannot be read leaves any
// old output as it was.
NetworkModel::BatchOutcome NetworkModel::ConsultFile(const std::string& inputPath, const std::string& outputPath,
                                                     const std::string& keptPath, WorkProgress* progress)
{
    BatchOutcome outcome;
    const std::string refused = "The output file " + outputPath + " is ";
    if (IsSameFile(inputPath, outputPath)) {
        outcome.error = refused + "the input file; choose another output file.";
        return outcome;
    }
    if (!keptPath.empty() && IsSameFile(keptPath, outputPath)) {
        outcome.error = refused + "the network's own file; choose another output file.";
        return outcome;
    }
    NumberReader reader(inputPath);
    if (!reader.OpenError().empty()) {
        outcome.error = inputPath.empty() ? "No input file was given."
                                          : "The input file " + inputPath + " cannot be read: " + reader.OpenError() + ".";
        return outcome;
    }
    OutputFile output;
    std::string error;
    if (!output.Open(outputPath, error)) {
        outcome.error = "The output file " + outputPath + " cannot be written. " + error;
        return outcome;
    }
    const int32_t inputs = GetInputCount();
    const int32_t outputs = GetOutputCount();
    std::vector<TableQuantizer> columns;
    for (int32_t i = 0; i < inputs; ++i)
        columns.emplace_back(GetTable(Column::Input, i));
    // Rows go through the network a batch at a time, side by side; an output's text depends only
    // on its level, so each is formatted once, when first met.
    const size_t batchRows = std::clamp<size_t>(BatchBytes / static_cast<size_t>(inputs + outputs), 1, MaxBatchRows);
    std::vector<uint8_t> inputRows(batchRows * static_cast<size_t>(inputs));
    std::vector<uint8_t> outputRows(batchRows * static_cast<size_t>(outputs));
    std::vector<std::string> answers(static_cast<size_t>(outputs) * 256);
    std::string text;
    bool written = true;
    const auto runBatch = [&](size_t rows) {
        net->ForwardRows(inputRows.data(), static_cast<int64_t>(rows), outputRows.data());
        const uint8_t* levels = outputRows.data();
        for (size_t row = 0; row < rows; ++row) {
            // One line per row: the outputs in %g, separated by single blanks.
            for (int32_t j = 0; j < outputs; ++j) {
                std::string& answer = answers[static_cast<size_t>(j) * 256 + *levels];
                if (answer.empty())
                    answer = FormatReal(Dequantize(*levels, Column::Output, j), RealNotation::General);
                ++levels;
                text += answer;
                text += j + 1 < outputs ? ' ' : '\n';
            }
        }
        outcome.rows += rows;
        if (text.size() >= OutputChunk) {
            written = output.Write(text, error);
            text.clear();
            ReportProgress(progress, ConsultingStep, reader.BytesRead(), reader.FileSize());
        }
    };
    size_t filled = 0;
    double value = 0;
    while (written && reader.Next(value)) {
        const size_t column = filled % static_cast<size_t>(inputs);
        inputRows[filled++] = columns[column](value);
        if (filled == inputRows.size()) {
            runBatch(batchRows);
            filled = 0;
        }
    }
    if (written && filled >= static_cast<size_t>(inputs))
        runBatch(filled / static_cast<size_t>(inputs));
    written = written && output.Write(text, error) && output.Close(error);
    if (!written) {
        outcome.error = "Writing the output file " + outputPath + " failed. " + error;
        return outcome;
    }
    outcome.written = true;
    outcome.note = DescribeEarlyStop(outcome.rows, "row", inputPath, reader.Stop());
    return outcome;
}

double* NetworkModel::GetTable(Column column, int32_t index)
{
    return (column == Column::Input ? inputTables : outputTables).data() + static_cast<size_t>(index) * TableLength;
}

const double* NetworkModel::GetTable(Column column, int32_t index) const
{
    return (column == Column::Input ? inputTables : outputTables).data() + static_cast<size_t>(index) * TableLength;
}

uint8_t NetworkModel::Quantize(double value, Column column, int32_t index) const
{
    return QuantizeThroughTable(GetTable(column, index), value);
}

double NetworkModel::Dequantize(uint8_t level, Column column, int32_t index) const
{
    return GetTable(column, index)[level];
}

void NetworkModel::SetPatterns(std::vector<std::unique_ptr<TrainingPattern>> newPatterns)
{
    patterns = std::move(newPatterns);
}
