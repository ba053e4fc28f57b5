#include "shell/document_commands.h"

#include <array>

#include "document/corvina_doc.h"
#include "framework/document_manager.h"
#include "shell/export_as_c.h"

namespace {

const std::array<CommandMapEntry<DocumentCommands>, 11> commandMap = {{
    {ID_FILE_SAVE, &DocumentCommands::OnFileSave},
    {ID_FILE_SAVE_AS, &DocumentCommands::OnFileSaveAs},
    {ID_SELECT_TD, &DocumentCommands::OnSelectTd},
    {ID_ERASE_TD, &DocumentCommands::OnEraseTd},
    {ID_RANDOMIZATION, &DocumentCommands::OnRandomization},
    {ID_OPTIONS, &DocumentCommands::OnOptions},
    {ID_CONSULT, &DocumentCommands::OnConsult},
    {ID_EXPORT_C, &DocumentCommands::OnExportC},
    {ID_EVALUATE, &DocumentCommands::OnEvaluate},
    {ID_TRAINING_OPTIONS, &DocumentCommands::OnTrainingOptions},
    {ID_RESTORE_BEST_NETWORK, &DocumentCommands::OnRestoreBestNetwork},
}};

}  // namespace

DocumentCommands::DocumentCommands(CCorvinaDoc& doc, CDocumentManager& documentManager, UserInterface& ui)
    : document(doc), manager(documentManager), userInterface(ui), learning(doc, ui)
{
}

bool DocumentCommands::HasHandler(CommandId id) const
{
    return MapHasHandler<DocumentCommands>(commandMap, id);
}

bool DocumentCommands::OnCommand(CommandId id)
{
    return DispatchCommand<DocumentCommands>(*this, commandMap, id);
}

void DocumentCommands::OnFileSave() { manager.FileSave(); }
void DocumentCommands::OnFileSaveAs() { manager.FileSaveAs(); }
void DocumentCommands::OnSelectTd() { document.OnSelectTd(); }
void DocumentCommands::OnEraseTd() { document.OnEraseTd(); }
void DocumentCommands::OnRandomization() { document.OnRandomization(); }
void DocumentCommands::OnOptions() { document.OnOptions(); }
void DocumentCommands::OnConsult() { document.OnConsult(); }
void DocumentCommands::OnExportC() { ExportDocumentAsC(document, userInterface); }
