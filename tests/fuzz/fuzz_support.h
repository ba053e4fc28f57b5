#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

// A folder of the process's own for the files a run reads and writes, in memory where possible.
inline const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/corvina-fuzz-XXXXXX" : "/tmp/corvina-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            abort();
        return pattern;
    }();
    static const int removedAtExit = std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(ScratchFolder(), ignored);
    });
    (void)removedAtExit;
    return folder;
}

inline std::string ScratchPath(const std::string& name)
{
    return ScratchFolder() + "/" + name;
}

// A file that cannot be written or read throws, which stops the run like a failed check.
inline std::string WriteScratch(const std::string& name, const std::string& bytes)
{
    WriteFile(ScratchPath(name), bytes);
    return ScratchPath(name);
}

inline std::string ReadScratch(const std::string& name)
{
    return ReadFile(ScratchPath(name));
}

// The bytes Save writes for the document.
inline std::string DocumentBytes(const CCorvinaDoc& document)
{
    return WriteNetwork(document.Model());
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
