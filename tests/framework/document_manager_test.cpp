#include "framework/document_manager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "framework/file_store.h"
#include "tests/framework/fakes.h"
#include "tests/framework/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The bytes FakeDocument stores for values.
std::string FileOf(const std::vector<int32_t>& values)
{
    std::ostringstream out(std::ios::binary);
    CArchive archive(out);
    archive << static_cast<int32_t>(values.size());
    for (int32_t value : values)
        archive << value;
    return out.str();
}

class DocumentManagerTest : public testing::Test {
protected:
    DocumentManagerTest()
    {
        document.AddView(&view);
        manager.onDocumentPathUsed = [this](const std::string& path) { usedPaths.push_back(path); };
    }

    // A document that holds values, is modified and was never saved.
    void EditDocument(const std::vector<int32_t>& values)
    {
        document.values = values;
        document.SetModifiedFlag();
    }

    // Everything a failed command must leave as it was.
    void ExpectDocumentUntouched(const std::vector<int32_t>& values, const std::string& path, bool modified)
    {
        EXPECT_EQ(document.values, values);
        EXPECT_EQ(document.GetPathName(), path);
        EXPECT_EQ(document.IsModified(), modified);
        EXPECT_EQ(document.newCalls, 0);
        EXPECT_EQ(view.initialUpdates, 0);
    }

    TempDir dir;
    FakeDocument document;
    RecordingView view;
    ScriptedMessageBoxes messages;
    ScriptedFileChooser files;
    LocalFileStore store;
    CDocumentManager manager{document, messages, files, store, {"Corvina Files (*.cvn)", "cvn"}};
    std::vector<std::string> usedPaths;
};

TEST_F(DocumentManagerTest, NewOnAnUnmodifiedDocumentAsksNothing)
{
    document.values = {1, 2};
    EXPECT_TRUE(manager.FileNew());
    EXPECT_TRUE(messages.saveQuestions.empty());
    EXPECT_EQ(document.values, FakeDocument::NewContents);
    EXPECT_EQ(document.newCalls, 1);
    EXPECT_EQ(view.initialUpdates, 1);
}

TEST_F(DocumentManagerTest, NewOnAModifiedDocumentAsksAndFollowsTheAnswer)
{
    const std::string savedPath = dir.Path("saved.cvn");
    const std::string chosenPath = dir.Path("chosen.cvn");
    const std::string unwritablePath = dir.Path("missing-directory/net.cvn");
    struct Case {
        std::string name;
        SaveChangesAnswer answer;
        std::string documentPath;                 // empty: never saved
        std::vector<std::optional<std::string>> dialogAnswers;
        bool proceeds;
        std::string writtenPath;                  // where the old contents must end up, if anywhere
    };
    const std::vector<Case> cases = {
        {"discard", SaveChangesAnswer::Discard, "", {}, true, ""},
        {"cancel", SaveChangesAnswer::Cancel, "", {}, false, ""},
        {"save under its path", SaveChangesAnswer::Save, savedPath, {}, true, savedPath},
        {"save asks for a path", SaveChangesAnswer::Save, "", {chosenPath}, true, chosenPath},
        {"save, path dialog cancelled", SaveChangesAnswer::Save, "", {std::nullopt}, false, ""},
        {"save fails", SaveChangesAnswer::Save, unwritablePath, {}, false, ""},
    };
    const std::vector<int32_t> edited = {4, -5, 6};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::error_code ignored;
        fs::remove(savedPath, ignored);
        fs::remove(chosenPath, ignored);
        FakeDocument doc;
        ScriptedMessageBoxes boxes;
        ScriptedFileChooser chooser;
        CDocumentManager docs(doc, boxes, chooser, store, {"Corvina Files (*.cvn)", "cvn"});
        doc.values = edited;
        doc.SetPathName(c.documentPath);
        doc.SetModifiedFlag();
        boxes.saveAnswers = {c.answer};
        chooser.answers.assign(c.dialogAnswers.begin(), c.dialogAnswers.end());

        EXPECT_EQ(docs.FileNew(), c.proceeds);
        EXPECT_EQ(boxes.saveQuestions.size(), 1u);
        EXPECT_TRUE(chooser.answers.empty()) << "every scripted dialog was shown";
        if (c.proceeds) {
            EXPECT_EQ(doc.values, FakeDocument::NewContents);
            EXPECT_FALSE(doc.IsModified());
        } else {
            EXPECT_EQ(doc.values, edited);
            EXPECT_TRUE(doc.IsModified());
            EXPECT_EQ(doc.newCalls, 0);
        }
        if (!c.writtenPath.empty()) {
            EXPECT_EQ(ReadFile(c.writtenPath), FileOf(edited));
        }
        EXPECT_EQ(fs::exists(savedPath), c.writtenPath == savedPath);
        EXPECT_EQ(fs::exists(chosenPath), c.writtenPath == chosenPath);
        EXPECT_EQ(boxes.stopMessages.size(), c.name == "save fails" ? 1u : 0u);
    }
}

TEST_F(DocumentManagerTest, TheSaveQuestionNamesTheDocument)
{
    EditDocument({1});
    messages.saveAnswers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::Cancel};
    manager.FileNew();
    document.SetPathName("/somewhere/trained.cvn");
    manager.FileNew();
    EXPECT_EQ(messages.saveQuestions, (std::vector<std::string>{"Untitled", "trained.cvn"}));
}

TEST_F(DocumentManagerTest, OpeningAFileThatCannotBeReadLeavesTheDocumentAsItWas)
{
    fs::create_directory(dir.Path("a-directory"));
    WriteFile(dir.Path("a-directory/inside.cvn"), FileOf({1}));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {dir.Path("missing.cvn"), "No such file or directory"},
        {dir.Path("a-directory"), "Is a directory"},
        {"", "No such file or directory"},
    };
    for (const auto& [path, cause] : cases) {
        SCOPED_TRACE(path);
        document.values = {9, 8};
        document.SetPathName("/previous/net.cvn");
        messages.stopMessages.clear();

        EXPECT_FALSE(manager.OpenDocumentFile(path));
        ASSERT_EQ(messages.stopMessages.size(), 1u);
        EXPECT_NE(messages.stopMessages[0].find(path), std::string::npos) << messages.stopMessages[0];
        EXPECT_NE(messages.stopMessages[0].find(cause), std::string::npos) << messages.stopMessages[0];
        EXPECT_EQ(document.serializeCalls, 0);
        ExpectDocumentUntouched({9, 8}, "/previous/net.cvn", false);
        EXPECT_TRUE(usedPaths.empty());
    }
}

TEST_F(DocumentManagerTest, ALoadThatFailsPartWayMakesTheDocumentNew)
{
    const std::string whole = FileOf({3, 1, 2, 3});
    const std::string path = dir.Path("truncated.cvn");
    for (size_t length = 1; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        WriteFile(path, whole.substr(0, length));
        FakeDocument doc;
        RecordingView docView;
        doc.AddView(&docView);
        ScriptedMessageBoxes boxes;
        CDocumentManager docs(doc, boxes, files, store, {"Corvina Files (*.cvn)", "cvn"});
        doc.values = {9, 8};
        doc.SetPathName("/previous/net.cvn");

        EXPECT_FALSE(docs.OpenDocumentFile(path));
        ASSERT_EQ(boxes.stopMessages.size(), 1u);
        EXPECT_NE(boxes.stopMessages[0].find(path), std::string::npos);
        EXPECT_EQ(doc.values, FakeDocument::NewContents);
        EXPECT_EQ(doc.GetPathName(), "");
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.newCalls, 1);
        EXPECT_EQ(docView.initialUpdates, 1);
    }
}

TEST_F(DocumentManagerTest, ADocumentThatRefusesWhatItReadsFailsTheLoadWithoutACrash)
{
    const std::string path = dir.Path("refused.cvn");
    WriteFile(path, FileOf({1, 2}));
    document.throwOnLoad = true;
    EXPECT_FALSE(manager.OpenDocumentFile(path));
    ASSERT_EQ(messages.stopMessages.size(), 1u);
    EXPECT_EQ(document.values, FakeDocument::NewContents);
    EXPECT_EQ(document.newCalls, 1);
    EXPECT_TRUE(usedPaths.empty());
}

TEST_F(DocumentManagerTest, AZeroLengthFileIsOpenedWithoutALoad)
{
    const std::string path = dir.Path("empty.cvn");
    WriteFile(path, "");
    document.values = {5, 6};

    EXPECT_TRUE(manager.OpenDocumentFile(path));
    EXPECT_EQ(document.serializeCalls, 0);
    EXPECT_EQ(document.values, (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(document.GetPathName(), path);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(view.initialUpdates, 1);
    EXPECT_EQ(usedPaths, std::vector<std::string>{path});
    EXPECT_TRUE(messages.stopMessages.empty());
}

TEST_F(DocumentManagerTest, ASuccessfulOpenLoadsClearsTheFlagAndUpdatesTheViews)
{
    const std::string path = dir.Path("good.cvn");
    // Bytes after the document's own are not the manager's business.
    WriteFile(path, FileOf({-1, 0, 65025}) + "trailing");
    EditDocument({5});
    messages.saveAnswers = {SaveChangesAnswer::Discard};

    EXPECT_TRUE(manager.OpenDocumentFile(path));
    EXPECT_EQ(messages.saveQuestions.size(), 1u);
    EXPECT_EQ(document.values, (std::vector<int32_t>{-1, 0, 65025}));
    EXPECT_EQ(document.GetPathName(), path);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(view.initialUpdates, 1);
    EXPECT_EQ(usedPaths, std::vector<std::string>{path});
    EXPECT_TRUE(messages.stopMessages.empty());
}

TEST_F(DocumentManagerTest, OpenCancelledAtTheSaveQuestionLoadsNothing)
{
    const std::string path = dir.Path("good.cvn");
    WriteFile(path, FileOf({1}));
    EditDocument({5});
    messages.saveAnswers = {SaveChangesAnswer::Cancel};
    EXPECT_FALSE(manager.OpenDocumentFile(path));
    EXPECT_EQ(document.serializeCalls, 0);
    ExpectDocumentUntouched({5}, "", true);
}

TEST_F(DocumentManagerTest, FileOpenAsksForADocumentFile)
{
    const std::string path = dir.Path("good.cvn");
    WriteFile(path, FileOf({42}));
    files.answers = {std::nullopt, path};

    EXPECT_FALSE(manager.FileOpen());
    EXPECT_EQ(document.serializeCalls, 0);
    EXPECT_TRUE(manager.FileOpen());
    EXPECT_EQ(document.values, std::vector<int32_t>{42});

    ASSERT_EQ(files.requests.size(), 2u);
    const FileChooserRequest& request = files.requests[0];
    EXPECT_EQ(request.mode, FileDialogMode::Open);
    EXPECT_EQ(request.defaultExtension, "cvn");
    ASSERT_FALSE(request.filters.empty());
    EXPECT_EQ(request.filters[0].description, "Corvina Files (*.cvn)");
    EXPECT_EQ(request.filters[0].pattern, "*.cvn");
}

TEST_F(DocumentManagerTest, SaveWritesTheSerializedBytesAndClearsTheFlag)
{
    const std::string path = dir.Path("out.cvn");
    EditDocument({1, -2, 3});
    EXPECT_TRUE(manager.SaveDocumentAs(path));
    EXPECT_EQ(ReadFile(path), FileOf({1, -2, 3}));
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.GetPathName(), path);
    EXPECT_EQ(usedPaths, std::vector<std::string>{path});
    EXPECT_TRUE(messages.stopMessages.empty());

    // Save under the path it has now: no dialog.
    EditDocument({4});
    EXPECT_TRUE(manager.FileSave());
    EXPECT_TRUE(files.requests.empty());
    EXPECT_EQ(ReadFile(path), FileOf({4}));
}

TEST_F(DocumentManagerTest, SaveAsOffersTheCurrentPathAndCancelWritesNothing)
{
    const std::string path = dir.Path("out.cvn");
    WriteFile(path, FileOf({1}));
    document.SetPathName(path);
    EditDocument({2});
    files.answers = {std::nullopt};

    EXPECT_FALSE(manager.FileSaveAs());
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].mode, FileDialogMode::SaveAs);
    EXPECT_EQ(files.initialPaths[0], path);
    EXPECT_EQ(ReadFile(path), FileOf({1}));
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentManagerTest, AFailedSaveIsReportedAndKeepsTheOldFileAndTheFlag)
{
    const std::string oldPath = dir.Path("old.cvn");
    WriteFile(oldPath, FileOf({1}));
    fs::create_directory(dir.Path("a-directory"));
    const std::vector<std::string> unwritable = {dir.Path("missing-directory/net.cvn"), dir.Path("a-directory")};
    for (const std::string& path : unwritable) {
        SCOPED_TRACE(path);
        document.SetPathName(oldPath);
        EditDocument({2, 3});
        messages.stopMessages.clear();

        EXPECT_FALSE(manager.SaveDocumentAs(path));
        ASSERT_EQ(messages.stopMessages.size(), 1u);
        EXPECT_NE(messages.stopMessages[0].find(path), std::string::npos);
        EXPECT_TRUE(document.IsModified());
        EXPECT_EQ(document.GetPathName(), oldPath);
        EXPECT_TRUE(usedPaths.empty());
    }
    EXPECT_EQ(ReadFile(oldPath), FileOf({1}));
    EXPECT_TRUE(fs::is_directory(dir.Path("a-directory")));
    EXPECT_TRUE(fs::is_empty(dir.Path("a-directory")));
}

TEST_F(DocumentManagerTest, AFailedSaveOverAnExistingFileLeavesItIntact)
{
    // The store writes beside the target; when it cannot, the target keeps its bytes.
    class RefusingStore : public FileStore {
    public:
        bool WriteWholeFile(const std::string&, std::string_view, std::string& error) override
        {
            error = "No space left on device";
            return false;
        }
    } refusing;
    const std::string path = dir.Path("net.cvn");
    WriteFile(path, FileOf({1}));
    document.SetPathName(path);
    EditDocument({2});
    CDocumentManager docs(document, messages, files, refusing, {"Corvina Files (*.cvn)", "cvn"});

    EXPECT_FALSE(docs.FileSave());
    ASSERT_EQ(messages.stopMessages.size(), 1u);
    EXPECT_NE(messages.stopMessages[0].find("No space left on device"), std::string::npos);
    EXPECT_EQ(ReadFile(path), FileOf({1}));
    EXPECT_TRUE(document.IsModified());
}

}  // namespace
