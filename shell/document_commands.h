#pragma once

#include "shell/command_target.h"
#include "shell/learning_commands.h"

class CCorvinaDoc;
class CDocumentManager;
class QWidget;
struct UserInterface;

// The document's place in command routing: its network commands, and the framework's Save and
// Save As, which the document manager carries out for it.
class DocumentCommands : public CommandTarget {
public:
    DocumentCommands(CCorvinaDoc& document, CDocumentManager& manager, UserInterface& ui);

    bool HasHandler(CommandId id) const override;
    bool OnCommand(CommandId id) override;

    void OnFileSave();
    void OnFileSaveAs();
    void OnSelectTd();
    void OnEraseTd();
    void OnRandomization();
    void OnOptions();
    void OnConsult();
    void OnExportC();
    void OnEvaluate() { learning.Evaluate(); }
    void OnTrainingOptions() { learning.ChangeTrainingOptions(); }
    void OnRestoreBestNetwork() { learning.RestoreBestNetwork(); }

    // The window the learning commands' dialogs belong to.
    void SetParentWindow(QWidget* parent) { learning.SetParentWindow(parent); }

private:
    CCorvinaDoc& document;
    CDocumentManager& manager;
    UserInterface& userInterface;
    LearningCommands learning;
};
