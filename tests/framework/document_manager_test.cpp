#include "framework/document_manager.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <tuple>

#include "tests/framework/fakes.h"
#include "tests/framework/temp_dir.h"
#include "tests/support/rows.h"

namespace {

namespace fs = std::filesystem;
using enum SaveChangesAnswer;
using Values = std::vector<int32_t>;
using State = std::tuple<Values, std::string, bool>;  // values, path, modified

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
class DocumentManagerTest : public testing::Test {
protected:
    DocumentManagerTest()
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
    bool InitialUpdateOnly() const { return view.updates == decltype(view.updates){{nullptr, UpdateHint::All}}; }

    TempDir dir;
    FakeDocument document;
    RecordingView view;
    ScriptedUser user;
    LocalFileStore store;
    CDocumentManager manager{document, user, user, store, {"Corvina Files (*.cvn)", "cvn"}};
    std::vector<std::string> used, failed;
};

TEST_F(DocumentManagerTest, NewAsksToSaveAModifiedDocument)
{
    Edit({4, 5}, "");
    user.saveAnswers = {Cancel, Discard};
    EXPECT_FALSE(manager.FileNew());
    EXPECT_EQ(Now(), (State{{4, 5}, "", true}));
    EXPECT_TRUE(manager.FileNew());
    EXPECT_EQ(Now(), (State{{7}, "", false}));
    EXPECT_TRUE(InitialUpdateOnly());

    const std::string path = dir.Path("net.cvn");
    Edit({4, 5}, path);
    user.saveAnswers.push_back(Save);
    EXPECT_TRUE(manager.FileNew());
    EXPECT_EQ(ReadFile(path), FileOf({4, 5}));
    Edit({6}, dir.Path("missing-directory/net.cvn"));
    user.saveAnswers.push_back(Save);
    EXPECT_FALSE(manager.FileNew()) << "a save that fails stops New";
    EXPECT_EQ(Now(), (State{{6}, dir.Path("missing-directory/net.cvn"), true}));
    EXPECT_EQ(user.asked, (std::vector<std::string>{"Untitled", "Untitled", "net.cvn", "net.cvn"}));
    EXPECT_EQ(user.stops.size(), 1u);
}

enum class Outcome { Loaded, Kept, MadeNew };

struct OpenRow {
    const char* name;
    std::optional<std::string> bytes;  // nullopt: nothing written there
    Outcome outcome;
    Values values;
    const char* cause;
    bool refused;  // the document throws on what it reads
};
PRINTS_AS_NAME(OpenRow)

class OpenTest : public DocumentManagerTest, public testing::WithParamInterface<OpenRow> {};

TEST_P(OpenTest, LoadsAFileOrSaysWhyNot)
{
    const OpenRow& row = GetParam();
    fs::create_directory(dir.Path("a-directory"));
    ASSERT_EQ(mkfifo(dir.Path("a-fifo").c_str(), 0644), 0);
    const std::string path = row.name[0] == '/' ? row.name : dir.Path(row.name);
    if (row.bytes)
        WriteFile(path, *row.bytes);
    document.values = {9, 8};
    document.SetPathName("/previous/net.cvn");
    document.throwOnLoad = row.refused;

    EXPECT_EQ(manager.OpenDocumentFile(path), row.outcome == Outcome::Loaded);
    const std::string expectedPath = row.outcome == Outcome::Loaded ? path : row.outcome == Outcome::Kept ? "/previous/net.cvn" : "";
    EXPECT_EQ(Now(), (State{row.values, expectedPath, false}));
    EXPECT_EQ(InitialUpdateOnly(), row.outcome != Outcome::Kept);
    EXPECT_EQ(used.size(), row.outcome == Outcome::Loaded ? 1u : 0u);
    EXPECT_EQ(failed.size(), row.outcome == Outcome::Loaded ? 0u : 1u);
    ASSERT_EQ(user.stops.size(), row.outcome == Outcome::Loaded ? 0u : 1u);
    if (row.outcome != Outcome::Loaded) {
        EXPECT_NE(user.stops[0].find(path + ".\n"), std::string::npos) << user.stops[0];
        EXPECT_NE(user.stops[0].find(row.cause), std::string::npos) << user.stops[0];
    }
}

const std::string whole = FileOf({3, 1, 2, 3});
INSTANTIATE_TEST_SUITE_P(
    Files, OpenTest,
    testing::Values(OpenRow{"Good", FileOf({-1, 0, 65025}) + "bytes after the document's own", Outcome::Loaded, {-1, 0, 65025}, "", false},
                    OpenRow{"EmptyIsTakenWithoutALoad", "", Outcome::Loaded, {9, 8}, "", false},
                    OpenRow{"Missing", std::nullopt, Outcome::Kept, {9, 8}, "No such file or directory", false},
                    OpenRow{"a-directory", std::nullopt, Outcome::Kept, {9, 8}, "It is not a regular file: it is a directory", false},
                    OpenRow{"a-fifo", std::nullopt, Outcome::Kept, {9, 8}, "it is a FIFO", false},
                    OpenRow{"/dev/null", std::nullopt, Outcome::Kept, {9, 8}, "it is a character device", false},
                    OpenRow{"Refused", whole, Outcome::MadeNew, {7}, "shape refused", true},
                    OpenRow{"EndsInACount", whole.substr(0, 2), Outcome::MadeNew, {7}, "The file ends early.", false},
                    OpenRow{"EndsInAValue", whole.substr(0, 13), Outcome::MadeNew, {7}, "The file ends early.", false}),
    [](const testing::TestParamInfo<OpenRow>& row) {
        std::string name = row.param.name;
        std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
        return name;
    });

TEST_F(DocumentManagerTest, OpenAsksForAFileThenToSaveAModifiedDocument)
{
    const std::string path = dir.Path("good.cvn");
    WriteFile(path, FileOf({1}));
    Edit({5}, "/previous/net.cvn");
    user.fileAnswers = {"", path, path};
    user.saveAnswers = {Cancel, Discard};
    EXPECT_FALSE(manager.FileOpen());  // the dialog is cancelled
    EXPECT_FALSE(manager.FileOpen());  // the save question is cancelled
    EXPECT_EQ(Now(), (State{{5}, "/previous/net.cvn", true}));
    EXPECT_TRUE(failed.empty());
    EXPECT_TRUE(manager.FileOpen());
    EXPECT_EQ(Now(), (State{{1}, path, false}));
    const FileChooserRequest& request = user.requests.at(0);
    EXPECT_EQ(request.mode, FileDialogMode::Open);
    EXPECT_EQ(request.defaultExtension, "cvn");
    EXPECT_EQ(request.filters.at(0).description, "Corvina Files (*.cvn)");
    EXPECT_EQ(request.filters.at(0).pattern, "*.cvn");
}

TEST_F(DocumentManagerTest, SaveWritesTheDocumentAndClearsTheFlag)
{
    const std::string path = dir.Path("out.cvn");
    Edit({1, -2, 3}, "");
    user.fileAnswers = {"", path, ""};
    EXPECT_FALSE(manager.FileSaveAs());
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(manager.FileSave());  // never saved: asks where
    EXPECT_EQ(user.requests.at(1).mode, FileDialogMode::SaveAs);
    EXPECT_EQ(ReadFile(path), FileOf({1, -2, 3}));
    EXPECT_EQ(Now(), (State{{1, -2, 3}, path, false}));
    EXPECT_EQ(used, std::vector<std::string>{path});

    Edit({4}, path);
    EXPECT_TRUE(manager.FileSave());  // under its own path, without a dialog
    EXPECT_EQ(ReadFile(path), FileOf({4}));
    EXPECT_FALSE(manager.FileSaveAs());
    EXPECT_EQ(user.offered, (std::vector<std::string>{"", "", path})) << "Save As starts from the current path";
}

TEST_F(DocumentManagerTest, AFailedSaveIsReportedAndKeepsTheFlag)
{
    fs::create_directory(dir.Path("a-directory"));
    for (const std::string& path : {dir.Path("missing-directory/net.cvn"), dir.Path("a-directory")}) {
        Edit({2}, path);
        EXPECT_FALSE(manager.FileSave());
        EXPECT_NE(user.stops.back().find(path), std::string::npos) << user.stops.back();
        EXPECT_TRUE(document.IsModified());
    }
    EXPECT_TRUE(fs::is_empty(dir.Path("a-directory")));
    EXPECT_TRUE(used.empty());
}

TEST(DocumentTest, UpdatesReachEveryViewButTheSenderAndTheTitleIsTheFileName)
{
    FakeDocument document;
    RecordingView first, sender;
    document.AddView(&first);
    document.AddView(&sender);
    document.UpdateAllViews(&sender, UpdateHint::TrainingPass);
    EXPECT_EQ(first.updates.size(), 1u);
    EXPECT_TRUE(sender.updates.empty());
    EXPECT_EQ(document.GetTitle(), "Untitled");
    document.SetPathName("/home/user/nets/no-extension");
    EXPECT_EQ(document.GetTitle(), "no-extension");
}

}  // namespace
