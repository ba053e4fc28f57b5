#pragma once

#include <cstdint>
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

    // The Consult sheet's state: the Singular page's values, the Plural page's paths.
    const std::vector<double>& GetConsultValues() const { return consultValues; }
    const std::string& GetConsultInputPath() const { return consultInputPath; }
    const std::string& GetConsultOutputPath() const { return consultOutputPath; }

private:
    void ShowConsultReport();
    void ConsultFile();

    UserInterface& userInterface;
    std::string consultOutputPath;
    std::string consultInputPath;
    std::vector<double> consultValues;
    NetworkModel model;
};
