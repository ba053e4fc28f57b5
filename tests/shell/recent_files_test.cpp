#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include "shell_fixture.h"

namespace {

using RecentFilesTest = ShellTest;

TEST_F(RecentFilesTest, KeepsFourNewestFirstWithoutDuplicatesAcrossRestarts)
{
    RecentFileList& list = app->RecentFiles();
    for (const char* name : {"a.cvn", "b.cvn", "c.cvn", "d.cvn", "e.cvn", "c.cvn"})
        list.Add(TempPath(name));
    const QStringList expected = {TempPath("c.cvn"), TempPath("e.cvn"), TempPath("d.cvn"), TempPath("b.cvn")};
    EXPECT_EQ(list.Paths(), expected);
    EXPECT_EQ(RecentFileList().Paths(), expected);
    list.Remove(1);
    EXPECT_EQ(RecentFileList().Paths(), QStringList({TempPath("c.cvn"), TempPath("d.cvn"), TempPath("b.cvn")}));
}

TEST_F(RecentFilesTest, PlaceholderIsGreyedWhileTheListIsEmpty)
{
    EXPECT_EQ(Action(ID_FILE_MRU_FILE1)->text(), "Recent File");
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_FILE_MRU_FILE1));
    EXPECT_FALSE(Action(ID_FILE_MRU_FILE1 + 1)->isVisible());
}

TEST_F(RecentFilesTest, SavedDocumentIsListedAndReopenedFromTheMenu)
{
    const QString path = TempPath("trained.cvn");
    Document().ImportTrainingData(WriteTrainingData(8), true);
    ASSERT_TRUE(app->Manager().SaveDocumentAs(path.toStdString()));
    EXPECT_EQ(app->RecentFiles().Paths().value(0), path);
    EXPECT_EQ(Action(ID_FILE_MRU_FILE1)->text(), "&1 trained.cvn");
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_FILE_MRU_FILE1));

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
    QString message;
    const ModalResponder responder([&message](QWidget& box) {
        message = static_cast<QMessageBox&>(box).text();
        PressMessageButton(box, QMessageBox::Ok);
    });
    app->Router().Execute(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(message.contains("gone.cvn")) << message.toStdString();
    EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
    EXPECT_EQ(Action(ID_FILE_MRU_FILE1)->text(), "Recent File");
}

}  // namespace
