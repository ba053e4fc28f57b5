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

TEST_F(RecentFilesTest, EntryWhoseFileIsGoneIsReportedAndDropped)
{
    app->RecentFiles().Add(TempPath("gone.cvn"));
    app->Actions()->ShowRecentFiles(app->RecentFiles().Paths());
    const BoxAnswer message(QMessageBox::Ok);
    app->Router().Execute(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(message.text.contains("gone.cvn")) << message.text.toStdString();
    EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
    EXPECT_EQ(Action(ID_FILE_MRU_FILE1)->text(), "Recent File");
}

}  // namespace
