#include <QFile>

#include "shell_fixture.h"

namespace {

using RecentFilesTest = ShellTest;

TEST_F(RecentFilesTest, KeepsFourNewestFirstWithoutDuplicatesInTheSettings)
{
    RecentFileList& list = app->RecentFiles();
    for (const char* name : {"a.cvn", "b.cvn", "c.cvn", "d.cvn", "e.cvn", "c.cvn"})
        list.Add(TempPath(name));
    const QStringList expected = {TempPath("c.cvn"), TempPath("e.cvn"), TempPath("d.cvn"), TempPath("b.cvn")};
    EXPECT_EQ(list.Paths(), expected);
    const QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Corvina"));
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), TempPath("c.cvn"));
    EXPECT_EQ(settings.value("Recent File List/File4").toString(), TempPath("b.cvn"));
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
    EXPECT_EQ(app->RecentFiles().Paths().value(0), path);
    EXPECT_EQ(Action(ID_FILE_MRU_FILE1)->text(), "&1 trained.cvn");
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_FILE_MRU_FILE1));
    EXPECT_FALSE(Action(ID_FILE_MRU_FILE1 + 1)->isVisible());

    app->Router().Execute(ID_FILE_NEW);
    EXPECT_EQ(Document().GetPatternsCount(), 0);
    app->Router().Execute(ID_FILE_MRU_FILE1);
    EXPECT_EQ(Document().GetPatternsCount(), 8);
    EXPECT_EQ(app->Frame()->windowTitle(), "Corvina - trained.cvn");
}

// Answers every message box while it lives: the save question with saveAnswer, any other box
// with OK. Keeps the texts.
class EveryBoxAnswered {
public:
    explicit EveryBoxAnswered(QMessageBox::StandardButton saveAnswer)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, saveAnswer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible())
                return;
            texts << box->text();
            box->button(box->button(QMessageBox::Ok) != nullptr ? QMessageBox::Ok : saveAnswer)->click();
        });
        timer.start(10);
    }

    QStringList texts;

private:
    QTimer timer;
};

enum class FileState { Gone, Damaged };

struct FailedEntryCase {
    const char* name;
    FileState file;
    bool modified;                        // the document shown before, so the save question comes
    QMessageBox::StandardButton answer;   // to the save question
    bool dropped;
};

PRINTS_AS_NAME(FailedEntryCase)

class FailedRecentEntryTest : public ShellTest, public testing::WithParamInterface<FailedEntryCase> {};

// An entry whose file cannot be opened leaves the list, whatever happened to the document shown
// before; when the user stops at the save question nothing was tried and the entry stays.
TEST_P(FailedRecentEntryTest, EntryLeavesTheListOnlyWhenItsFileFailed)
{
    const FailedEntryCase& row = GetParam();
    const QString path = TempPath(QStringLiteral("entry.cvn"));
    if (row.file == FileState::Damaged) {
        QFile damaged(path);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("this is not a network file at all");
    }
    RecentFileList& list = app->RecentFiles();
    list.Add(TempPath(QStringLiteral("other.cvn")));
    list.Add(path);
    app->Actions()->ShowRecentFiles(list.Paths());
    Document().SetModifiedFlag(row.modified);
    {
        const EveryBoxAnswered boxes(row.answer);
        app->Router().Execute(ID_FILE_MRU_FILE1);
        EXPECT_EQ(boxes.texts.size(), (row.modified ? 1 : 0) + (row.answer == QMessageBox::Cancel ? 0 : 1));
    }
    const QStringList expected = row.dropped ? QStringList{TempPath("other.cvn")} : QStringList{path, TempPath("other.cvn")};
    EXPECT_EQ(list.Paths(), expected);
    EXPECT_EQ(RecentFileList().Paths(), expected);
    EXPECT_EQ(Action(ID_FILE_MRU_FILE1)->text(), row.dropped ? "&1 other.cvn" : "&1 entry.cvn");
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FailedRecentEntryTest,
    testing::Values(FailedEntryCase{"GoneAfterDiscard", FileState::Gone, true, QMessageBox::No, true},
                    FailedEntryCase{"DamagedAfterDiscard", FileState::Damaged, true, QMessageBox::No, true},
                    FailedEntryCase{"SaveQuestionCancelled", FileState::Gone, true, QMessageBox::Cancel, false}),
    RowName());

}  // namespace
