#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

#include "shell/command_line.h"
#include "shell/qt_file_store.h"
#include "shell_fixture.h"

namespace {

using FrameTest = ShellTest;

TEST_F(FrameTest, CaptionNamesTheDocument)
{
    EXPECT_EQ(app->Frame()->windowTitle(), "Corvina - Untitled");
    ASSERT_TRUE(app->Manager().SaveDocumentAs(TempPath("net.cvn").toStdString()));
    app->Frame()->UpdateCaption();
    EXPECT_EQ(app->Frame()->windowTitle(), "Corvina - net.cvn");
}

TEST_F(FrameTest, FrameCannotBeResizedOrMaximized)
{
    CMainFrame& frame = *app->Frame();
    EXPECT_EQ(frame.minimumSize(), frame.maximumSize());
    EXPECT_FALSE(frame.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(frame.windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(FrameTest, ViewAreaJustHoldsTheFormAfterNewAndOpen)
{
    EXPECT_EQ(app->View()->size(), app->View()->FormSize());
    // Hiding the toolbar leaves the frame's size alone; the next New shrinks it to the form.
    const QSize frame = app->Frame()->size();
    app->Router().Execute(ID_VIEW_TOOLBAR);
    RunEventsFor(20);
    EXPECT_EQ(app->Frame()->size(), frame);
    app->Router().Execute(ID_FILE_NEW);
    RunEventsFor(20);
    EXPECT_EQ(app->View()->size(), app->View()->FormSize());
    EXPECT_LT(app->Frame()->height(), frame.height());
}

TEST_F(FrameTest, StatusBarShowsReadyAndThePromptOfAHighlightedCommand)
{
    QStatusBar* bar = app->Frame()->statusBar();
    auto* ready = bar->findChild<QLabel*>();
    ASSERT_NE(ready, nullptr);
    EXPECT_EQ(ready->text(), "Ready");
    Action(ID_TRAIN)->showStatusText(app->Frame());
    EXPECT_EQ(bar->currentMessage(), "Start training");
    for (const char* pane : {"CAP", "NUM", "SCRL"})
        EXPECT_NE(bar->findChild<QLabel*>(pane), nullptr) << pane;
}

TEST_F(FrameTest, ClosingAModifiedDocumentAsksAndCancelKeepsTheWindow)
{
    Document().SetModifiedFlag(true);
    QString question;
    {
        const ModalResponder responder([&question](QWidget& box) {
            question = static_cast<QMessageBox&>(box).text();
            PressMessageButton(box, QMessageBox::Cancel);
        });
        EXPECT_FALSE(app->Frame()->close());
    }
    EXPECT_EQ(question, "Save changes to Untitled?");
    EXPECT_TRUE(app->Frame()->isVisible());
    const ModalResponder discard([](QWidget& box) { PressMessageButton(box, QMessageBox::No); });
    EXPECT_TRUE(app->Frame()->close());
}

TEST_F(FrameTest, FailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    const QString path = TempPath("kept.cvn");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    Document().SetModifiedFlag(true);
    QString message;
    const ModalResponder responder([&message](QWidget& box) {
        message = static_cast<QMessageBox&>(box).text();
        PressMessageButton(box, QMessageBox::Ok);
    });
    // A file inside a folder that does not exist cannot be written.
    EXPECT_FALSE(app->Manager().SaveDocumentAs(TempPath("missing/net.cvn").toStdString()));
    EXPECT_TRUE(message.contains("missing/net.cvn")) << message.toStdString();
    EXPECT_TRUE(Document().IsModified());
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old contents");
}

TEST(QtFileStoreTest, ReplacesWholeFilesAndRefusesFolders)
{
    const QTemporaryDir directory;
    QtFileStore store;
    std::string error;
    const std::string path = directory.filePath("file.bin").toStdString();
    EXPECT_TRUE(store.WriteWholeFile(path, "first", error));
    EXPECT_TRUE(store.WriteWholeFile(path, "second", error));
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "second");
    EXPECT_FALSE(store.WriteWholeFile(directory.path().toStdString(), "x", error));
    EXPECT_FALSE(error.empty());
}

TEST(StartupTest, FileThatCannotBeOpenedEndsWithoutAWindow)
{
    const QTemporaryDir directory;
    CCorvinaApp app;
    QString message;
    const ModalResponder responder([&message](QWidget& box) {
        message = static_cast<QMessageBox&>(box).text();
        PressMessageButton(box, QMessageBox::Ok);
    });
    EXPECT_FALSE(app.CreateMainWindow(directory.filePath("absent.cvn")));
    EXPECT_TRUE(message.contains("absent.cvn")) << message.toStdString();
    EXPECT_EQ(app.Frame(), nullptr);
}

TEST(StartupTest, SavedDocumentOpensFromTheCommandLine)
{
    const QTemporaryDir directory;
    const QString path = directory.filePath("three.cvn");
    {
        CCorvinaApp first;
        ASSERT_TRUE(first.CreateMainWindow({}));
        first.Document().ChangeShape(3, 6, 4);
        ASSERT_TRUE(first.Manager().SaveDocumentAs(path.toStdString()));
    }
    CCorvinaApp second;
    ASSERT_TRUE(second.CreateMainWindow(path));
    EXPECT_EQ(static_cast<QLineEdit*>(second.View()->Control(IDC_LEVELS_COUNT))->text(), "3");
    EXPECT_EQ(static_cast<QLineEdit*>(second.View()->Control(IDC_INPUT_COUNT))->text(), "6");
    EXPECT_EQ(second.Frame()->windowTitle(), "Corvina - three.cvn");
}

TEST(StartupTest, EmptyFileOpensWithTheDefaultNetwork)
{
    const QTemporaryDir directory;
    const QString path = directory.filePath("empty.cvn");
    QFile(path).open(QIODevice::WriteOnly);
    CCorvinaApp app;
    ASSERT_TRUE(app.CreateMainWindow(path));
    EXPECT_EQ(static_cast<QLineEdit*>(app.View()->Control(IDC_LEVELS_COUNT))->text(), "5");
    EXPECT_EQ(app.Frame()->windowTitle(), "Corvina - empty.cvn");
}

TEST(StartupTest, PrintToPdfWritesTheReportWithoutAWindow)
{
    const QTemporaryDir directory;
    const QString network = directory.filePath("net.cvn");
    {
        CCorvinaApp first;
        ASSERT_TRUE(first.CreateMainWindow({}));
        ASSERT_TRUE(first.Manager().SaveDocumentAs(network.toStdString()));
    }
    const QString pdf = directory.filePath("report.pdf");
    CCorvinaApp printing;
    EXPECT_TRUE(printing.PrintDocument(network, pdf));
    EXPECT_EQ(printing.Frame(), nullptr);
    EXPECT_GT(QFile(pdf).size(), 0);
}

struct CommandLineCase {
    QStringList arguments;
    StartupRequest::Action action;
    QString file;
    QString target;
};

TEST(CommandLineTest, ReadsEveryFormAndRefusesTheRest)
{
    using enum StartupRequest::Action;
    const std::vector<CommandLineCase> cases = {
        {{}, Run, "", ""},
        {{"net.cvn"}, Run, "net.cvn", ""},
        {{"--print", "net.cvn"}, Print, "net.cvn", ""},
        {{"--print-to", "out.pdf", "net.cvn"}, Print, "net.cvn", "out.pdf"},
        {{"--print-to", "Office", "net.cvn"}, Print, "net.cvn", "Office"},
        {{"--print"}, Invalid, "", ""},
        {{"--print-to"}, Invalid, "", ""},
        {{"--bogus"}, Invalid, "", ""},
        {{"a.cvn", "b.cvn"}, Invalid, "", ""},
    };
    for (const CommandLineCase& each : cases) {
        const StartupRequest request = ParseCommandLine(each.arguments);
        const std::string name = each.arguments.join(' ').toStdString();
        EXPECT_EQ(request.action, each.action) << name;
        if (each.action == Invalid) {
            EXPECT_FALSE(request.error.isEmpty()) << name;
            continue;
        }
        EXPECT_EQ(request.file, each.file) << name;
        EXPECT_EQ(request.printTarget, each.target) << name;
    }
}

}  // namespace
