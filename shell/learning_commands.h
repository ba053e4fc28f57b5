#pragma once

#include <string>

#include "shell/dialogs/evaluate_dlg.h"

class CCorvinaDoc;
class QWidget;
struct UserInterface;

// The window's learning commands on the document, each with its dialogs modal to parent.
class LearningCommands {
public:
    LearningCommands(CCorvinaDoc& doc, UserInterface& ui) : document(doc), userInterface(ui) {}

    void SetParentWindow(QWidget* parent) { parentWindow = parent; }

    // Process > Evaluate: asks for a data file and the classes, evaluates the network on it with
    // progress shown, and shows the figures; a refusal is shown as a message.
    void Evaluate();

    // Process > Training Options: shows the learning settings and stores what the user chose.
    void ChangeTrainingOptions();

    // Process > Restore Best Network.
    void RestoreBestNetwork();

private:
    CCorvinaDoc& document;
    UserInterface& userInterface;
    QWidget* parentWindow = nullptr;
    // The dialog starts with what was evaluated last.
    EvaluateFields lastEvaluation;
};
