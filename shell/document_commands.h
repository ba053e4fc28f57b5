#pragma once

#include "shell/command_target.h"

class CCorvinaDoc;
class CDocumentManager;
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

private:
    CCorvinaDoc& document;
    CDocumentManager& manager;
    UserInterface& userInterface;
};
