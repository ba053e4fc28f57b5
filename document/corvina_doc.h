#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/column.h"
#include "document/error_history.h"
#include "document/training_pattern.h"
#include "engine/discrete_net.h"
#include "engine/pattern_buffer.h"
#include "engine/random_source.h"
#include "framework/document.h"
#include "framework/user_interface.h"

struct RawRecords;

// How a batch consultation went.
struct BatchOutcome {
    // True when the output file holds the answers.
    bool written = false;
    // Why not, as sentences naming the file and the cause.
    std::string error;
    // Complete rows consulted.
    size_t rows = 0;
    // Where reading stopped before the end of the input, or empty.
    std::string note;
};

// The one network document: a DiscreteNet with its PatternBuffer, the transformation tables,
// the training patterns, the error history and the consultation state.
class CCorvinaDoc : public CDocument {
public:
    // Layers, inputs and outputs of a new document.
    static constexpr int32_t DefaultLayers = 5;
    static constexpr int32_t DefaultInputs = 4;
    static constexpr int32_t DefaultOutputs = 2;

    // The document asks its questions through ui; without one (a headless run) every question
    // that would destroy experience is answered Yes and no dialog runs.
    explicit CCorvinaDoc(UserInterface* ui = nullptr);
    ~CCorvinaDoc() override;

    void SetUserInterface(UserInterface* ui) { userInterface = ui; }

    // Replaces the network objects by new ones of this shape and empties the patterns. Throws
    // std::length_error for a shape the engine refuses and std::bad_alloc when memory runs out;
    // the document is unchanged then.
    void CreateNetwork(int32_t layers, int32_t inputs, int32_t outputs);

    // Passes to 0 and the error history refilled with its reset value.
    void ResetStatistics();

    // Asks before experience (passes made or patterns loaded) is destroyed; true to go on.
    bool ConfirmDestroyExperience();

    // Asks, then rebuilds the network in the new shape; true if the shape was changed. A shape
    // that cannot be built is refused with a message and changes nothing.
    bool ChangeShape(int32_t layers, int32_t inputs, int32_t outputs);

    // One training pass on a pattern drawn at random, recorded in the error history.
    void TrainPass();

    int32_t GetLayersCount() const { return layers; }
    int32_t GetInputCount() const;
    int32_t GetOutputCount() const;
    int32_t GetPatternsCount() const { return static_cast<int32_t>(patterns.size()); }
    // Passes since the last reset or as loaded; counts on modulo 2^32.
    uint32_t GetPassesCount() const { return passes; }
    int32_t GetAverageError() const { return errorHistory.GetAverage(); }

    bool OnNewDocument() override;
    void Serialize(CArchive& archive) override;

    // Commands and their enabling rules.
    void OnRandomization();
    void OnEraseTd();
    bool OnUpdateEraseTd() const { return !patterns.empty(); }
    bool OnUpdateTrain(bool trainingOn) const { return !patterns.empty() && !trainingOn; }
    void OnOptions();
    void OnSelectTd();
    void OnConsult();

    // A real value of a column as a level, and a level as a real value, through the tables.
    uint8_t Quantize(double value, Column column, int32_t index) const;
    double Dequantize(uint8_t level, Column column, int32_t index) const;

    // Replaces the patterns by the records of a text file of real numbers, optionally building
    // new tables from them first.
    void ImportTrainingData(std::string path, bool makeNewTables);

    // Replaces the patterns by records already read, optionally building new tables from them.
    void ImportRecords(const RawRecords& records, bool makeNewTables);

    // Runs the network on consultValues and returns the report text, one line per output.
    std::string ConsultSingle();

    // Runs the network on every complete row of inputPath and writes one line of outputs per
    // row into outputPath. Refused, with nothing written, when the input cannot be read or the
    // output names the input or the network's own file; a failed write leaves no partial file.
    BatchOutcome ConsultFile(const std::string& inputPath, const std::string& outputPath);

    // Inspection, for the status view, the command-line tool and tests.
    const DiscreteNet& GetNet() const { return *net; }
    DiscreteNet& GetNet() { return *net; }
    PatternBuffer& GetPatternBuffer() { return *patternBuffer; }
    const PatternBuffer& GetPatternBuffer() const { return *patternBuffer; }
    const std::vector<std::unique_ptr<TrainingPattern>>& GetPatterns() const { return patterns; }
    const ErrorHistory& GetErrorHistory() const { return errorHistory; }
    double* GetTable(Column column, int32_t index);
    const double* GetTable(Column column, int32_t index) const;
    double* GetConsultValues() { return consultValues.get(); }
    const std::string& GetConsultInputPath() const { return consultInputPath; }
    const std::string& GetConsultOutputPath() const { return consultOutputPath; }
    void SetConsultPaths(std::string inputPath, std::string outputPath);

    // The one random sequence of the program, drawn by the training pass, Randomization and
    // learning; the front ends seed it once at start.
    RandomSource& GetRandomSource() { return random; }

    // Loads the passes count (file and tests).
    void SetPassesCount(uint32_t count) { passes = count; }

private:
    void LoadFrom(CArchive& archive);
    void StoreTo(CArchive& archive) const;
    double* TableBlock(Column column) const;
    int32_t DrawPatternIndex();

    UserInterface* userInterface = nullptr;
    RandomSource random;

    std::string consultOutputPath;
    std::string consultInputPath;
    std::unique_ptr<double[]> consultValues;
    ErrorHistory errorHistory;
    uint32_t passes = 0;
    int32_t layers = 0;
    std::unique_ptr<double[]> inputTables;
    std::unique_ptr<double[]> outputTables;
    std::unique_ptr<PatternBuffer> patternBuffer;
    std::unique_ptr<DiscreteNet> net;
    std::vector<std::unique_ptr<TrainingPattern>> patterns;
};
