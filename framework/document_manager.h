#pragma once

#include <functional>
#include <string>

#include "framework/document.h"
#include "framework/file_chooser.h"
#include "framework/file_store.h"
#include "framework/message_boxes.h"

// How the document's files are offered in the file dialogs.
struct DocumentFileType {
    std::string filterName;  // "Corvina Files (*.cvn)"
    std::string extension;   // "cvn"
};

// The framework's document commands around one document: New, Open, Save, Save As and the
// save question before a modified document is discarded.
class CDocumentManager {
public:
    CDocumentManager(CDocument& document, MessageBoxes& messages, FileChooser& files,
                     FileStore& store, DocumentFileType type);

    // Asks to save a modified document, then makes it new. False when cancelled or failed.
    bool FileNew();

    // Asks for a file, then opens it as OpenDocumentFile does.
    bool FileOpen();

    // Asks to save a modified document, then loads path into it. A file that cannot be read
    // leaves the document as it was; a load that fails part-way makes it new. Both are reported.
    bool OpenDocumentFile(const std::string& path);

    // Saves under the document's path, asking for one if it has none.
    bool FileSave();

    // Asks for a path, then saves there.
    bool FileSaveAs();

    // Saves the document at path and makes it the document's path. Failures are reported and
    // leave the document modified.
    bool SaveDocumentAs(const std::string& path);

    // Before a modified document is discarded: true to go on (saved or discarded), false to stop.
    bool SaveModified();

    // Called with the path of every document opened or saved, for the recent-file list.
    std::function<void(const std::string&)> onDocumentPathUsed;

    // Called with the path of every document that could not be opened (not when the user stopped
    // at the save question), so the recent-file list can forget it.
    std::function<void(const std::string&)> onDocumentPathFailed;

private:
    enum class LoadOutcome { Loaded, Unreadable, Failed };
    LoadOutcome Load(const std::string& path, std::string& reason);
    bool AskForPath(FileDialogMode mode, std::string& path);

    CDocument& document;
    MessageBoxes& messages;
    FileChooser& files;
    FileStore& store;
    DocumentFileType type;
};
