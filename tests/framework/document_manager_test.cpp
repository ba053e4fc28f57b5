#include "framework/document_manager.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <tuple>

#include "tests/framework/fakes.h"
#include "tests/framework/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using enum SaveChangesAnswer;
using Values = std::vector<int32_t>;
using State = std::tuple<Values, std::string, bool>;  // values, path, modified
using Updates = std::vector<std::pair<CView*, UpdateHint>>;
const Updates InitialUpdate = {{nullptr, UpdateHint::All}};

// The bytes FakeDocument stores for values.
std::string FileOf(const Values& values)
{
    std::ostringstream out;
    CArchive archive(out);
    archive << static_cast<int32_t>(values.size());
    for (int32_t value : values)
        archive << value;
    return out.str();
}

// A manager over a document with one view, in a fresh directory.
struct Session {
    Session()
    {
        document.AddView(&view);
        manager.onDocumentPathUsed = [this](const std::string& path) { used.push_back(path); };
        manager.onDocumentPathFailed = [this](const std::string& path) { failed.push_back(path); };
    }
    void Edit(const Values& values, const std::string& path)
    {
        document.values = values;
        document.SetPathName(path);
        document.SetModifiedFlag();
    }
    State Now() const { return {document.values, document.GetPathName(), document.IsModified()}; }

    TempDir dir;
    FakeDocument document;
    RecordingView view;
    ScriptedUser user;
    LocalFileStore store;
    CDocumentManager manager{document, user, user, store, {"Corvina Files (*.cvn)", "cvn"}};
    std::vector<std::string> used;
    std::vector<std::string> failed;
};

TEST(DocumentManagerTest, NewAsksToSaveAModifiedDocument)
{
    struct Case {
        SaveChangesAnswer answer;
        std::string path;  // the document's; the second one cannot be written
        bool proceeds;
    };
    for (const Case& c : {Case{Discard, "", true}, Case{Cancel, "", false}, Case{Save, "net.cvn", true},
                          Case{Save, "missing-directory/net.cvn", false}}) {
        SCOPED_TRACE(c.path);
        Session s;
        const std::string path = c.path.empty() ? "" : s.dir.Path(c.path);
        s.Edit({4, 5}, path);
        s.user.saveAnswers = {c.answer};

        EXPECT_EQ(s.manager.FileNew(), c.proceeds);
        EXPECT_EQ(s.user.asked.size(), 1u);
        EXPECT_EQ(s.Now(), (c.proceeds ? State{{7}, "", false} : State{{4, 5}, path, true}));
        EXPECT_EQ(s.view.updates, c.proceeds ? InitialUpdate : Updates{});
        EXPECT_EQ(fs::exists(s.dir.Path("net.cvn")), c.answer == Save && c.proceeds);
        if (c.answer == Save && c.proceeds) {
            EXPECT_EQ(ReadFile(path), FileOf({4, 5}));
        }
        EXPECT_EQ(s.user.stops.size(), c.answer == Save && !c.proceeds ? 1u : 0u);
    }
}

TEST(DocumentManagerTest, OpenLoadsAFileOrSaysWhyNot)
{
    enum Outcome { Loaded, Kept, MadeNew };
    struct Case {
        std::string name;
        std::optional<std::string> bytes;  // nullopt: nothing written there
        Outcome outcome;
        Values values;
        std::string cause = "";
        bool refused = false;  // the document throws on what it reads
    };
    const std::string whole = FileOf({3, 1, 2, 3});
    std::vector<Case> cases = {
        {"good.cvn", FileOf({-1, 0, 65025}) + "bytes after the document's own", Loaded, {-1, 0, 65025}},
        {"empty.cvn", "", Loaded, {9, 8}},  // taken as it is, without a load
        {"missing.cvn", std::nullopt, Kept, {9, 8}, "No such file or directory"},
        {"a-directory", std::nullopt, Kept, {9, 8}, "It is not a regular file: it is a directory"},
        {"a-fifo", std::nullopt, Kept, {9, 8}, "it is a FIFO"},  // refused, not waited on
        {"/dev/null", std::nullopt, Kept, {9, 8}, "it is a character device"},
        {"refused.cvn", whole, MadeNew, {7}, "shape refused", true},
    };
    for (size_t length = 1; length < whole.size(); ++length)
        cases.push_back({"cut-" + std::to_string(length), whole.substr(0, length), MadeNew, {7}, "The file ends early."});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s;
        fs::create_directory(s.dir.Path("a-directory"));
        ASSERT_EQ(mkfifo(s.dir.Path("a-fifo").c_str(), 0644), 0);
        const std::string path = s.dir.Path(c.name);
        if (c.bytes)
            WriteFile(path, *c.bytes);
        s.document.values = {9, 8};
        s.document.SetPathName("/previous/net.cvn");
        s.document.throwOnLoad = c.refused;

        EXPECT_EQ(s.manager.OpenDocumentFile(path), c.outcome == Loaded);
        const std::string expectedPath = c.outcome == Loaded ? path : c.outcome == Kept ? "/previous/net.cvn" : "";
        EXPECT_EQ(s.Now(), (State{c.values, expectedPath, false}));
        EXPECT_EQ(s.view.updates, c.outcome == Kept ? Updates{} : InitialUpdate);
        EXPECT_EQ(s.used, c.outcome == Loaded ? std::vector{path} : std::vector<std::string>{});
        EXPECT_EQ(s.failed, c.outcome == Loaded ? std::vector<std::string>{} : std::vector{path});
        ASSERT_EQ(s.user.stops.size(), c.outcome == Loaded ? 0u : 1u);
        if (c.outcome != Loaded) {
            EXPECT_NE(s.user.stops[0].find(path + ".\n"), std::string::npos) << s.user.stops[0];
            EXPECT_NE(s.user.stops[0].find(c.cause), std::string::npos) << s.user.stops[0];
        }
    }
}

TEST(DocumentManagerTest, OpenAsksForAFileThenToSaveAModifiedDocument)
{
    Session s;
    const std::string path = s.dir.Path("good.cvn");
    WriteFile(path, FileOf({1}));
    s.Edit({5}, "/previous/net.cvn");
    s.user.fileAnswers = {"", path, path};
    s.user.saveAnswers = {Cancel, Discard};
    EXPECT_FALSE(s.manager.FileOpen());  // the dialog is cancelled
    EXPECT_FALSE(s.manager.FileOpen());  // the save question is cancelled
    EXPECT_EQ(s.Now(), (State{{5}, "/previous/net.cvn", true}));
    EXPECT_TRUE(s.failed.empty());
    EXPECT_TRUE(s.manager.FileOpen());
    EXPECT_EQ(s.Now(), (State{{1}, path, false}));
    EXPECT_EQ(s.user.asked, (std::vector<std::string>{"net.cvn", "net.cvn"}));

    const FileChooserRequest& request = s.user.requests.at(0);
    EXPECT_EQ(request.mode, FileDialogMode::Open);
    EXPECT_EQ(request.defaultExtension, "cvn");
    EXPECT_EQ(request.filters.at(0).description, "Corvina Files (*.cvn)");
    EXPECT_EQ(request.filters.at(0).pattern, "*.cvn");
}

TEST(DocumentManagerTest, SaveWritesTheDocumentAndClearsTheFlag)
{
    Session s;
    const std::string path = s.dir.Path("out.cvn");
    s.Edit({1, -2, 3}, "");
    s.user.fileAnswers = {"", path, ""};
    EXPECT_FALSE(s.manager.FileSaveAs());
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(s.manager.FileSave());  // never saved: asks where
    EXPECT_EQ(s.user.requests.at(1).mode, FileDialogMode::SaveAs);
    EXPECT_EQ(ReadFile(path), FileOf({1, -2, 3}));
    EXPECT_EQ(s.Now(), (State{{1, -2, 3}, path, false}));
    EXPECT_EQ(s.used, std::vector<std::string>{path});

    s.Edit({4}, path);
    EXPECT_TRUE(s.manager.FileSave());  // under its own path, without a dialog
    EXPECT_EQ(ReadFile(path), FileOf({4}));
    EXPECT_FALSE(s.manager.FileSaveAs());
    EXPECT_EQ(s.user.offered, (std::vector<std::string>{"", "", path})) << "Save As starts from the current path";
}

TEST(DocumentManagerTest, AFailedSaveIsReportedAndKeepsTheFlag)
{
    Session s;
    fs::create_directory(s.dir.Path("a-directory"));
    for (const std::string& path : {s.dir.Path("missing-directory/net.cvn"), s.dir.Path("a-directory")}) {
        s.Edit({2}, path);
        EXPECT_FALSE(s.manager.FileSave());
        EXPECT_NE(s.user.stops.back().find(path), std::string::npos) << s.user.stops.back();
        EXPECT_TRUE(s.document.IsModified());
    }
    EXPECT_EQ(s.user.stops.size(), 2u);
    EXPECT_TRUE(fs::is_empty(s.dir.Path("a-directory")));
    EXPECT_TRUE(s.used.empty());
}

}  // namespace
