#include "shell_fixture.h"

namespace {

using RecentFilesTest = ShellTest;

TEST_F(RecentFilesTest, KeepsFourNewestFirstWithoutDuplicatesInTheSettings)
{
    RecentFileList& list = app->RecentFiles();
    for (const char* name : {"a.cvn", "b.cvn", "c.cvn", "d.cvn", "e.cvn", "c.cvn"})
        list.Add(TempPath(name));
    EXPECT_EQ(list.Paths(), QStringList({TempPath("c.cvn"), TempPath("e.cvn"), TempPath("d.cvn"), TempPath("b.cvn")}));
    const QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Corvina"));
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), TempPath("c.cvn"));
    EXPECT_FALSE(settings.contains("Recent File List/File5"));
    list.Remove(1);
    EXPECT_EQ(RecentFileList().Paths(), QStringList({TempPath("c.cvn"), TempPath("d.cvn"), TempPath("b.cvn")}));
}

TEST_F(RecentFilesTest, SavedDocumentIsListedAndReopenedFromTheMenu)
{
    EXPECT_EQ(Action(ID_FILE_MRU_FILE1)->text(), "Recent File");
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_FILE_MRU_FILE1));
    const QString path = TempPath("trained.cvn");
    Document().ImportTrainingData(WriteTrainingData(8), true);
    ASSERT_TRUE(app->Manager().SaveDocumentAs(path.toStdString()));
    EXPECT_EQ(Action(ID_FILE_MRU_FILE1)->text(), "&1 trained.cvn");
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_FILE_MRU_FILE1));
    EXPECT_FALSE(Action(ID_FILE_MRU_FILE1 + 1)->isVisible());
    app->Router().Execute(ID_FILE_NEW);
    app->Router().Execute(ID_FILE_MRU_FILE1);
    EXPECT_EQ(Document().GetPatternsCount(), 8);
    EXPECT_EQ(app->Frame()->windowTitle(), "Corvina - trained.cvn");
}

// Answers every message box while it lives: the save question with saveAnswer, any other box
// with OK. Counts them.
class EveryBoxAnswered {
public:
    explicit EveryBoxAnswered(QMessageBox::StandardButton saveAnswer)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, saveAnswer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible())
                return;
            ++count;
            box->button(box->button(QMessageBox::Ok) != nullptr ? QMessageBox::Ok : saveAnswer)->click();
        });
        timer.start(10);
    }

    int count = 0;

private:
    QTimer timer;
};

struct FailedEntryCase {
    const char* name;
    bool damaged;                         // else gone
    QMessageBox::StandardButton answer;   // to the save question
    bool dropped;
};

PRINTS_AS_NAME(FailedEntryCase)

class FailedRecentEntryTest : public ShellTest, public testing::WithParamInterface<FailedEntryCase> {};

// The second entry's file cannot be opened: it leaves the list, whatever happened to the modified
// document shown before; when the user stops at the save question nothing was tried and it stays.
TEST_P(FailedRecentEntryTest, EntryLeavesTheListOnlyWhenItsFileFailed)
{
    const FailedEntryCase& row = GetParam();
    const QString path = TempPath("entry.cvn"), other = TempPath("other.cvn");
    if (row.damaged)
        WriteFile(path.toStdString(), "this is not a network file at all");
    WriteFile(other.toStdString(), "");
    RecentFileList& list = app->RecentFiles();
    list.Add(path);
    list.Add(other);
    app->Actions()->ShowRecentFiles(list.Paths());
    Document().SetModifiedFlag(true);
    {
        const EveryBoxAnswered boxes(row.answer);
        app->Router().Execute(ID_FILE_MRU_FILE1 + 1);
        EXPECT_EQ(boxes.count, row.answer == QMessageBox::Cancel ? 1 : 2);
    }
    const QStringList expected = row.dropped ? QStringList{other} : QStringList{other, path};
    EXPECT_EQ(list.Paths(), expected);
    EXPECT_EQ(RecentFileList().Paths(), expected);
    EXPECT_EQ(Action(ID_FILE_MRU_FILE1 + 1)->isVisible(), !row.dropped);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FailedRecentEntryTest,
    testing::Values(FailedEntryCase{"GoneAfterDiscard", false, QMessageBox::No, true},
                    FailedEntryCase{"DamagedAfterDiscard", true, QMessageBox::No, true},
                    FailedEntryCase{"SaveQuestionCancelled", false, QMessageBox::Cancel, false}),
    RowName());

}  // namespace
