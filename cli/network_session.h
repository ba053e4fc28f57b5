#pragma once

#include <iosfwd>
#include <string>

#include "cli/console_message_boxes.h"
#include "cli/headless_dialogs.h"
#include "document/corvina_doc.h"
#include "framework/document_manager.h"
#include "framework/file_store.h"
#include "framework/user_interface.h"

// One network document with the framework around it, reporting to an error stream.
class NetworkSession {
public:
    // A session on a new document.
    explicit NetworkSession(std::ostream& err);

    CCorvinaDoc& Document() { return document; }

    // Loads path; a file that cannot be read, is empty or is no network file is reported, false.
    bool Open(const std::string& path);

    // Saves to path, replacing it whole; a failure is reported and leaves any old file intact.
    bool SaveAs(const std::string& path);

private:
    ConsoleMessageBoxes messages;
    HeadlessDialogs dialogs;
    UserInterface userInterface;
    LocalFileStore store;
    CCorvinaDoc document;
    CDocumentManager manager;
};
