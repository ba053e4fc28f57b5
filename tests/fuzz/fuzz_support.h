#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "document/corvina_doc.h"
#include "framework/document_manager.h"
#include "framework/file_store.h"

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

inline std::string WriteScratch(const std::string& name, const std::string& bytes)
{
    const std::string path = ScratchPath(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
    return path;
}

inline std::string ReadScratch(const std::string& name)
{
    std::ifstream in(ScratchPath(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes Save writes for the document.
inline std::string DocumentBytes(CCorvinaDoc& document)
{
    std::ostringstream out;
    CArchive archive(out);
    document.Serialize(archive);
    return out.str();
}

// A user who answers every question Yes, confirms the dialogs with what a run sets, and whose
// messages are counted.
class ScriptedUser : public MessageBoxes, public FileChooser, public NetworkDialogs {
public:
    Answer AskYesNo(const std::string&) override { return Answer::Yes; }
    void ShowStopMessage(const std::string& text) override { stops.push_back(text); }
    SaveChangesAnswer AskSaveChanges(const std::string&) override { return SaveChangesAnswer::Discard; }
    void ShowStatusNote(const std::string& text) override { notes.push_back(text); }
    bool ChooseFile(const FileChooserRequest&, std::string&) override { return false; }
    bool RunShapeDialog(ShapeFields&) override { return false; }
    bool RunTrainingDataDialog(TrainingDataFields& fields) override
    {
        fields = trainingData;
        return true;
    }
    ConsultOutcome RunConsultSheet(ConsultFields& fields) override
    {
        fields.inputPath = consultInput;
        fields.outputPath = consultOutput;
        return {true, ConsultPage::Plural};
    }
    void ShowReport(const std::string&) override {}

    void Clear()
    {
        stops.clear();
        notes.clear();
    }

    std::vector<std::string> stops, notes;
    TrainingDataFields trainingData;
    std::string consultInput, consultOutput;
};

// A document with the framework around it, as the window has it.
struct Session {
    Session() { document.OnNewDocument(); }

    ScriptedUser user;
    UserInterface ui{user, user, user};
    CCorvinaDoc document{&ui};
    LocalFileStore store;
    CDocumentManager manager{document, user, user, store, {"Corvina Files (*.cvn)", "cvn"}};
};
