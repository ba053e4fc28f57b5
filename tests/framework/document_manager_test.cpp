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
    user.saveAnswers = {Cancel, Discard, Save, Save};
    EXPECT_FALSE(manager.FileNew());
    EXPECT_EQ(Now(), (State{{4, 5}, "", true}));
    EXPECT_TRUE(manager.FileNew());
    EXPECT_EQ(Now(), (State{{7}, "", false}));
    EXPECT_EQ(view.updates, 1u) << "the initial update";
    Edit({4, 5}, dir.Path("net.cvn"));
    EXPECT_TRUE(manager.FileNew());
    EXPECT_EQ(ReadFile(dir.Path("net.cvn")), FileOf({4, 5}));
    Edit({6}, dir.Path("missing/net.cvn"));
    EXPECT_FALSE(manager.FileNew()) << "a save that fails stops New";
    EXPECT_EQ(Now(), (State{{6}, dir.Path("missing/net.cvn"), true}));
    EXPECT_EQ(user.asked, (std::vector<std::string>{"Untitled", "Untitled", "net.cvn", "net.cvn"}));
    EXPECT_EQ(user.stops.size(), 1u);
}

enum class Outcome { Loaded, Kept, MadeNew };

struct OpenRow {
    const char* name;
    const char* file;
    std::optional<std::string> bytes;  // nullopt: nothing written there
    Outcome outcome;
    Values values;
    const char* cause;
};
PRINTS_AS_NAME(OpenRow)

class OpenTest : public DocumentManagerTest, public testing::WithParamInterface<OpenRow> {};

TEST_P(OpenTest, LoadsAFileOrSaysWhyNot)
{
    const OpenRow& row = GetParam();
    ASSERT_EQ(mkfifo(dir.Path("a-fifo").c_str(), 0644), 0);
    const std::string path = row.file[0] == '/' ? row.file : dir.Path(row.file);
    if (row.bytes)
        WriteFile(path, *row.bytes);
    document.values = {9, 8};
    document.SetPathName("/previous/net.cvn");
    document.throwOnLoad = std::string(row.name) == "Refused";

    EXPECT_EQ(manager.OpenDocumentFile(path), row.outcome == Outcome::Loaded);
    const std::string expectedPath = row.outcome == Outcome::Loaded ? path : row.outcome == Outcome::Kept ? "/previous/net.cvn" : "";
    EXPECT_EQ(Now(), (State{row.values, expectedPath, false}));
    EXPECT_EQ(view.updates, row.outcome == Outcome::Kept ? 0u : 1u);
    const bool loaded = row.outcome == Outcome::Loaded;
    EXPECT_EQ(std::tuple(used.size(), failed.size(), user.stops.size()), std::tuple(loaded ? 1u : 0u, loaded ? 0u : 1u, loaded ? 0u : 1u));
    for (const std::string& stop : user.stops)
        EXPECT_TRUE(stop.find(path + ".\n") != std::string::npos && stop.find(row.cause) != std::string::npos) << stop;
}

const std::string whole = FileOf({3, 1, 2, 3});
INSTANTIATE_TEST_SUITE_P(
    Files, OpenTest,
    testing::Values(OpenRow{"Good", "good.cvn", FileOf({-1, 65025}) + "bytes after the document's own", Outcome::Loaded, {-1, 65025}, ""},
                    OpenRow{"EmptyIsTakenWithoutALoad", "empty.cvn", "", Outcome::Loaded, {9, 8}, ""},
                    OpenRow{"Missing", "missing.cvn", std::nullopt, Outcome::Kept, {9, 8}, "No such file or directory"},
                    OpenRow{"Fifo", "a-fifo", std::nullopt, Outcome::Kept, {9, 8}, "It is not a regular file: it is a FIFO"},
                    OpenRow{"Device", "/dev/null", std::nullopt, Outcome::Kept, {9, 8}, "it is a character device"},
                    OpenRow{"Refused", "refused.cvn", whole, Outcome::MadeNew, {7}, "shape refused"},
                    OpenRow{"EndsEarly", "cut.cvn", whole.substr(0, 13), Outcome::MadeNew, {7}, "The file ends early."}),
    RowName());

TEST_F(DocumentManagerTest, SaveWritesTheDocumentClearsTheFlagOrSaysWhyNot)
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
    Edit({4}, path);
    EXPECT_TRUE(manager.FileSave());  // under its own path, without a dialog
    EXPECT_EQ(ReadFile(path), FileOf({4}));
    EXPECT_FALSE(manager.FileSaveAs());
    EXPECT_EQ(user.offered, (std::vector<std::string>{"", "", path})) << "Save As starts from the current path";
    EXPECT_EQ(used, (std::vector<std::string>{path, path}));

    Edit({2}, dir.Path("missing/net.cvn"));
    EXPECT_FALSE(manager.FileSave());
    EXPECT_NE(user.stops.back().find(dir.Path("missing/net.cvn")), std::string::npos) << user.stops.back();
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(used.size(), 2u);
}

}  // namespace
