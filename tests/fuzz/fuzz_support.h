#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "document/corvina_doc.h"
#include "document/network_file.h"
#include "framework/document_manager.h"
#include "framework/file_store.h"
#include "tests/framework/temp_dir.h"
#include "tests/support/scripted_ui.h"

// Stops the run with the broken expectation, so libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: expectation failed: %s\n", __FILE__, __LINE__, #condition); \
            abort();                                                                           \
        }                                                                                      \
    } while (false)

// The process's own folder for the files a run reads and writes, removed at exit.
inline std::string ScratchPath(const std::string& name)
{
    static const TempDir folder;
    return folder.Path(name);
}

// A file that cannot be written throws, which stops the run like a failed check.
inline std::string WriteScratch(const std::string& name, const std::string& bytes)
{
    WriteFile(ScratchPath(name), bytes);
    return ScratchPath(name);
}

// A document with the framework around it, as the window has it.
struct Session {
    Session()
    {
        user.fallback = Answer::Yes;
        document.OnNewDocument();
    }
    void Clear()
    {
        user.stopMessages.clear();
        user.statusNotes.clear();
    }

    ScriptedUi user;
    UserInterface ui = user.Interface();
    CCorvinaDoc document{ui};
    LocalFileStore store;
    CDocumentManager manager{document, user, user, store, {"Corvina Files (*.cvn)", "cvn"}};
};
