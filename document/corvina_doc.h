#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/network_model.h"
#include "framework/document.h"
#include "framework/user_interface.h"

// The window's one network document: a NetworkModel, the state of the consultation dialog, and
// the document's commands. Each command asks the user through the user interface (the question
// before experience is destroyed, the dialogs, the messages), has the model do the work, then
// marks the document modified and tells the views what changed.
class CCorvinaDoc : public CDocument {
public:
    explicit CCorvinaDoc(UserInterface& ui);

    NetworkModel& Model() { return model; }
    const NetworkModel& Model() const { return model; }

    // Replaces the network by a new one of this shape, with no patterns; the consultation values
    // become 0. Throws as NetworkModel::CreateNetwork, with the document unchanged.
    void CreateNetwork(int32_t layers, int32_t inputs, int32_t outputs);

    // Passes to 0 and the error history refilled with its reset value.
    void ResetStatistics() { model.ResetStatistics(); }

    // Asks before experience (passes made or patterns loaded) is destroyed; true to go on.
    bool ConfirmDestroyExperience();

    // Asks, then rebuilds the network in the new shape; true if the shape was changed. A shape
    // that cannot be built is refused with a message and changes nothing.
    bool ChangeShape(int32_t layers, int32_t inputs, int32_t outputs);

    // One training pass on a pattern drawn at random; then the document is modified and the
    // views hear of the progress.
    void TrainPass();

    int32_t GetLayersCount() const { return model.GetLayersCount(); }
    int32_t GetInputCount() const { return model.GetInputCount(); }
    int32_t GetOutputCount() const { return model.GetOutputCount(); }
    int32_t GetPatternsCount() const { return model.GetPatternsCount(); }
    uint32_t GetPassesCount() const { return model.GetPassesCount(); }
    int32_t GetAverageError() const { return model.GetAverageError(); }

    bool OnNewDocument() override;
    void Serialize(CArchive& archive) override;

    // The document's commands and their enabling rules.
    void OnRandomization();
    void OnEraseTd();
    bool OnUpdateEraseTd() const { return GetPatternsCount() != 0; }
    bool OnUpdateTrain(bool trainingOn) const { return GetPatternsCount() != 0 && !trainingOn; }
    void OnOptions();
    void OnSelectTd();
    void OnConsult();

    // A real value of a column as a level, and a level as a real value, through the tables.
    uint8_t Quantize(double value, Column column, int32_t index) const { return model.Quantize(value, column, index); }
    double Dequantize(uint8_t level, Column column, int32_t index) const { return model.Dequantize(level, column, index); }

    // Replaces the patterns by the records of a text file of real numbers, optionally building
    // new tables from them first, whatever the file holds.
    void ImportTrainingData(std::string path, bool makeNewTables);

    // The learning settings, saved with the network. Other settings than the current ones mark
    // the document modified and tell the views (hint 0).
    const LearningSettings& GetLearningSettings() const { return model.Settings(); }
    void SetLearningSettings(const LearningSettings& settings);

    // Evaluates the network on the records of a training-data file, or on its own training
    // patterns; classes is 0 for no class figures, else 2 to the output count. Nothing when the
    // file cannot be read or holds no complete record, there are no patterns, or the classes do
    // not fit the outputs: a message has then named the cause. The weights stay as they are.
    // progress, when given, hears of the reading and the evaluation.
    std::optional<Evaluation> EvaluateFile(const std::string& path, int32_t classes, WorkProgress* progress = nullptr);
    std::optional<Evaluation> EvaluatePatterns(int32_t classes, WorkProgress* progress = nullptr);

    // The name of an evaluation's step, as progress hears it.
    static constexpr std::string_view EvaluatingStep = "Evaluating the network";

    // Keeping the best network. While the settings ask for it, the first TrainPass starts it
    // (reading the validation file; a refusal is shown once, and training goes on without
    // keeping until the settings change), and every pass that reaches a multiple of the interval
    // evaluates the network and keeps the best weights. LastPassEvaluated and GetLastEvaluation
    // give that evaluation to the views after a hint-2 notification.
    bool LastPassEvaluated() const { return model.LastPassEvaluated(); }
    const Evaluation* GetLastEvaluation() const { return model.GetLastEvaluation(); }
    // The interval in effect while keeping, 0 otherwise.
    uint32_t GetEvaluationInterval() const { return model.GetEvaluationInterval(); }
    // The kept weights with the passes count and evaluation at which they were reached.
    const BestNetwork& GetBestNetwork() const { return model.GetBestNetwork(); }
    // True when weights are kept and the network's differ from them.
    bool CanRestoreBestNetwork() const { return model.GetBestNetwork().DiffersFrom(model.GetNet()); }
    // Gives the network the kept weights, marks the document modified and tells the views
    // (hint 0); false, with nothing changed, when none are kept. The statistics stay.
    bool RestoreBestNetwork();

    // The Consult sheet's state: the Singular page's values, the Plural page's paths.
    const std::vector<double>& GetConsultValues() const { return consultValues; }
    const std::string& GetConsultInputPath() const { return consultInputPath; }
    const std::string& GetConsultOutputPath() const { return consultOutputPath; }

private:
    void ShowConsultReport();
    void ConsultFile();
    void StartKeepingBestIfAsked();
    std::optional<Evaluation> EvaluateSet(int32_t classes, const std::function<std::optional<Evaluation>()>& evaluate);

    UserInterface& userInterface;
    std::string consultOutputPath;
    std::string consultInputPath;
    std::vector<double> consultValues;
    NetworkModel model;
    // Keeping the best network was refused under the current settings; not asked again.
    bool keepBestRefused = false;
};
