#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "document/best_network.h"
#include "document/column.h"
#include "document/error_history.h"
#include "document/evaluation.h"
#include "document/learning_settings.h"
#include "document/training_pattern.h"
#include "engine/discrete_net.h"
#include "engine/pattern_buffer.h"
#include "engine/random_source.h"
#include "framework/work_progress.h"

struct RawRecords;

// A network model is one trained network with all it learns from and is judged by: the
// DiscreteNet on its PatternBuffer, the input and output transformation tables, the training
// patterns, the error history with the produced passes count, the learning settings, and the
// random source that the training pass, Randomize and every stochastic division draw from, in
// call order. It does not deal with users: it asks no question, shows no message, opens no file
// dialog and knows no window; shapes, values and paths come to it already chosen and parsed, and
// what cannot be done comes back as a result or an exception that names the cause. It always
// holds a network (a new model holds the default shape with identity tables and reset
// statistics), and an operation that fails leaves it as it was. The window's CCorvinaDoc owns
// one; corvina-cli makes one per command; network_file.h reads and writes it.
class NetworkModel {
public:
    // The shape of a new network.
    static constexpr int32_t DefaultLayers = 5;
    static constexpr int32_t DefaultInputs = 4;
    static constexpr int32_t DefaultOutputs = 2;

    // A model of the default shape, drawing from random.
    explicit NetworkModel(RandomSource random = RandomSource());
    ~NetworkModel();

    NetworkModel(const NetworkModel&) = delete;
    NetworkModel& operator=(const NetworkModel&) = delete;

    // Replaces the network by a new one of this shape: zero weights, tables of zeros, no
    // patterns; the statistics stay. Throws std::length_error for a shape the engine does not
    // build and std::bad_alloc when memory runs out.
    void CreateNetwork(int32_t layers, int32_t inputs, int32_t outputs);

    // A new network of this shape with identity tables and reset statistics; throws as
    // CreateNetwork.
    void Reshape(int32_t layers, int32_t inputs, int32_t outputs);

    // Takes the network, tables, patterns, statistics and settings of other; this model keeps
    // drawing from its own random source.
    void TakeNetworkFrom(NetworkModel&& other);

    // Passes to 0 and every entry of the error history to its reset value.
    void ResetStatistics();

    // Passes made or patterns loaded: what the commands that destroy it ask about first.
    bool HasExperience() const { return passes != 0 || !patterns.empty(); }

    // Resets the statistics and gives every weight a random byte.
    void Randomize();

    // Empties the patterns and resets the statistics; weights and tables stay.
    void ErasePatterns();

    // One training pass on a pattern drawn at random, recorded in the error history and the
    // passes count; false, with nothing changed, when there are no patterns.
    bool TrainPass();

    // Replaces the patterns by records already read, converted through tables rebuilt from them
    // when makeNewTables is set and through the current tables otherwise, and resets the
    // statistics. Records of no record empty the patterns and keep the tables. progress, when
    // given, hears how far the tables and the conversion have come.
    void ImportRecords(const RawRecords& records, bool makeNewTables, WorkProgress* progress = nullptr);

    // Runs the network on one real value per input and returns one real value per output.
    std::vector<double> Consult(std::span<const double> inputs);

    // How a batch consultation went.
    struct BatchOutcome {
        bool written = false;  // the output file holds the answers
        std::string error;     // why not, as sentences naming the file and the cause
        size_t rows = 0;       // complete rows consulted
        std::string note;      // where reading stopped before the end of the input, or empty
    };

    // Runs the network on every complete row of inputPath and writes one line of outputs per row
    // into outputPath. Refused, with nothing written, when the input cannot be read or the output
    // names the input or keptPath (the network's own file), under whatever spelling or link; a
    // failed write leaves no partial file. progress, when given, hears how many bytes of the input
    // are read.
    BatchOutcome ConsultFile(const std::string& inputPath, const std::string& outputPath,
                             const std::string& keptPath = {}, WorkProgress* progress = nullptr);

    // The name of a batch consultation's one step, as progress hears it.
    static constexpr std::string_view ConsultingStep = "Consulting the network";

    // A real value of a column as a level, and a level as a real value, through the tables.
    uint8_t Quantize(double value, Column column, int32_t index) const;
    double Dequantize(uint8_t level, Column column, int32_t index) const;

    int32_t GetLayersCount() const { return layers; }
    int32_t GetInputCount() const { return patternBuffer->GetInputCount(); }
    int32_t GetOutputCount() const { return patternBuffer->GetOutputCount(); }
    int32_t GetPatternsCount() const { return static_cast<int32_t>(patterns.size()); }
    // Passes since the last reset or as loaded; counts on modulo 2^32.
    uint32_t GetPassesCount() const { return passes; }
    int32_t GetAverageError() const { return errorHistory.GetAverage(); }
    const ErrorHistory& GetErrorHistory() const { return errorHistory; }

    // Sets the passes count and fills the error history with average, as a loaded file does.
    void RestoreStatistics(uint32_t passesCount, int32_t average);

    DiscreteNet& GetNet() { return *net; }
    const DiscreteNet& GetNet() const { return *net; }
    PatternBuffer& GetPatternBuffer() { return *patternBuffer; }
    const PatternBuffer& GetPatternBuffer() const { return *patternBuffer; }

    // The 256 entries of one column's table.
    double* GetTable(Column column, int32_t index);
    const double* GetTable(Column column, int32_t index) const;

    const std::vector<std::unique_ptr<TrainingPattern>>& GetPatterns() const { return patterns; }
    // Replaces the patterns; each must hold inputs + outputs levels.
    void SetPatterns(std::vector<std::unique_ptr<TrainingPattern>> newPatterns);

    LearningSettings& Settings() { return settings; }
    const LearningSettings& Settings() const { return settings; }

    // Replaces the learning settings. A change of what keeping the best network evaluates (on or
    // off, the interval, the validation file, the classes) ends the current keeping and forgets
    // the kept weights; a change of the rounding alone keeps both.
    void SetSettings(const LearningSettings& newSettings);

    // Evaluation: the network run on records whose answers are known, as consultation runs it
    // (evaluation.h). The weights are untouched. classes is 0 for no class figures, else 2 to the
    // output count (other counts throw std::invalid_argument); records are the values of a
    // training-data file, inputs then outputs.
    Evaluation Evaluate(const RawRecords& records, int32_t classes = 0, const EvaluationProgress& progress = {});
    // The same on the training patterns, their targets dequantized through the output tables.
    Evaluation EvaluatePatterns(int32_t classes = 0, const EvaluationProgress& progress = {});
    // The records as an evaluation set, quantized through the current tables.
    EvaluationSet QuantizeForEvaluation(const RawRecords& records) const;

    // Keeping the best network. Once started, every TrainPass that brings the passes count to a
    // multiple of the interval evaluates the network (on the validation file of the settings,
    // else on the training patterns) and keeps its weights when their mean squared level error
    // is the lowest so far. Starting reads the validation file: the result is "" when keeping
    // has started, else sentences naming the cause (the file cannot be read or holds no complete
    // record, no patterns to evaluate on, a class count the outputs cannot hold), with nothing
    // started. Starting evaluates the network as it stands once, so the kept weights are never
    // worse than those training started from.
    std::string StartKeepingBest(const EvaluationProgress& progress = {});
    void StopKeepingBest();
    bool IsKeepingBest() const { return keepBest != nullptr; }
    // The passes between two evaluations while keeping: the settings' interval, or the default
    // for the records evaluated on; 0 while not keeping.
    uint32_t GetEvaluationInterval() const;
    // Evaluates now and offers the weights, whether or not a multiple of the interval was
    // reached (the end of a run); null while not keeping.
    const Evaluation* EvaluateForBest(const EvaluationProgress& progress = {});
    // True when the last TrainPass evaluated the network; its evaluation is GetLastEvaluation.
    bool LastPassEvaluated() const { return lastPassEvaluated; }
    // The latest evaluation while keeping; null before the first or while not keeping.
    const Evaluation* GetLastEvaluation() const;
    // The weights kept, with their passes count and evaluation. They outlive a stopped keeping
    // and are forgotten whenever the network, its patterns or its tables are replaced, its
    // weights randomized or its statistics reset.
    const BestNetwork& GetBestNetwork() const { return best; }
    // Gives the network the kept weights; false, with nothing changed, when none are kept.
    bool RestoreBestNetwork();

    // The random source every draw comes from; seed it, or script it in tests.
    RandomSource& Random() { return random; }

private:
    int32_t DrawPatternIndex();
    // Ends keeping and forgets the kept weights: they no longer belong to this network or data.
    void ForgetBest();

    RandomSource random;
    LearningSettings settings;
    int32_t layers = 0;
    std::unique_ptr<PatternBuffer> patternBuffer;
    // Refers to patternBuffer's level arrays, so it is declared after it and goes first.
    std::unique_ptr<DiscreteNet> net;
    std::vector<double> inputTables;
    std::vector<double> outputTables;
    std::vector<std::unique_ptr<TrainingPattern>> patterns;
    ErrorHistory errorHistory;
    uint32_t passes = 0;
    std::unique_ptr<KeepBest> keepBest;
    BestNetwork best;
    bool lastPassEvaluated = false;
};
