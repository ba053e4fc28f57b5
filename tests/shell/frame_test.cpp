#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <memory>
#include <sstream>

#include "tests/framework/temp_dir.h"

#include "shell/command_line.h"
#include "shell_fixture.h"

namespace {

using FrameTest = ShellTest;

QString LineText(CCorvinaApp& app, int id)
{
    return static_cast<QLineEdit*>(app.View()->Control(id))->text();
}

TEST_F(FrameTest, CaptionNamesTheDocumentAndTheSizeIsFixed)
{
    CMainFrame& frame = *app->Frame();
    EXPECT_EQ(frame.windowTitle(), "Corvina - Untitled");
    ASSERT_TRUE(app->Manager().SaveDocumentAs(TempPath("net.cvn").toStdString()));
    frame.UpdateCaption();
    EXPECT_EQ(frame.windowTitle(), "Corvina - net.cvn");
    EXPECT_EQ(frame.minimumSize(), frame.maximumSize());
    EXPECT_FALSE(frame.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(frame.windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(FrameTest, BarsToggleWithoutResizingAndNewShrinksToTheForm)
{
    const QSize frame = app->Frame()->size();
    EXPECT_EQ(app->Frame()->ViewArea()->size(), app->View()->FormSize());
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(Action(ID_VIEW_TOOLBAR)->isChecked());
    Action(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_TRUE(app->Frame()->ToolBar()->isHidden());
    EXPECT_FALSE(Action(ID_VIEW_TOOLBAR)->isChecked());
    Action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_FALSE(Action(ID_VIEW_STATUS_BAR)->isChecked());
    RunEventsFor(20);
    EXPECT_EQ(app->Frame()->size(), frame);
    app->Router().Execute(ID_FILE_NEW);
    RunEventsFor(20);
    EXPECT_EQ(app->Frame()->ViewArea()->size(), app->View()->FormSize());
    EXPECT_LT(app->Frame()->height(), frame.height());
}

class DockedToolbarTest : public ShellTest, public testing::WithParamInterface<Qt::ToolBarArea> {};

// Wherever the toolbar docks, the frame keeps its size and every corner of the form can be
// scrolled into view.
TEST_P(DockedToolbarTest, FormStaysReachable)
{
    CMainFrame& frame = *app->Frame();
    const QSize size = frame.size();
    frame.addToolBar(GetParam(), frame.ToolBar());
    RunEventsFor(20);
    EXPECT_EQ(frame.size(), size);
    EXPECT_EQ(frame.toolBarArea(frame.ToolBar()), GetParam());
    QScrollArea& area = *frame.ViewArea();
    QWidget& form = *app->View();
    EXPECT_EQ(form.size(), app->View()->FormSize());
    const auto shown = [&](QPoint corner) { return area.viewport()->rect().contains(form.mapTo(area.viewport(), corner)); };
    area.horizontalScrollBar()->setValue(area.horizontalScrollBar()->minimum());
    area.verticalScrollBar()->setValue(area.verticalScrollBar()->minimum());
    EXPECT_TRUE(shown(form.rect().topLeft()));
    area.horizontalScrollBar()->setValue(area.horizontalScrollBar()->maximum());
    area.verticalScrollBar()->setValue(area.verticalScrollBar()->maximum());
    EXPECT_TRUE(shown(form.rect().bottomRight()));
    // Docked at a side the toolbar takes width from the view, which then scrolls.
    const bool side = GetParam() == Qt::LeftToolBarArea || GetParam() == Qt::RightToolBarArea;
    EXPECT_EQ(area.horizontalScrollBar()->maximum() > 0, side);
}

INSTANTIATE_TEST_SUITE_P(Areas, DockedToolbarTest,
                         testing::Values(Qt::TopToolBarArea, Qt::BottomToolBarArea, Qt::LeftToolBarArea,
                                         Qt::RightToolBarArea));

TEST_F(FrameTest, StatusBarShowsReadyTheLockPanesAndPrompts)
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
    {
        const BoxAnswer cancel(QMessageBox::Cancel);
        EXPECT_FALSE(app->Frame()->close());
        EXPECT_EQ(cancel.text, "Save changes to Untitled?");
    }
    EXPECT_TRUE(app->Frame()->isVisible());
    const BoxAnswer discard(QMessageBox::No);
    EXPECT_TRUE(app->Frame()->close());
}

TEST_F(FrameTest, FailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    const QString path = TempPath("kept.cvn");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    Document().SetModifiedFlag(true);
    const BoxAnswer message(QMessageBox::Ok);
    // A file inside a folder that does not exist cannot be written.
    EXPECT_FALSE(app->Manager().SaveDocumentAs(TempPath("missing/net.cvn").toStdString()));
    EXPECT_TRUE(message.text.contains("missing/net.cvn")) << message.text.toStdString();
    EXPECT_TRUE(Document().IsModified());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old contents");
}

// The document's file bytes, as Save would write them.
std::string Bytes(CCorvinaDoc& document)
{
    std::ostringstream out;
    CArchive archive(out);
    document.Serialize(archive);
    return out.str();
}

TEST_F(FrameTest, SaveAsDeclinedForTheOldFileSavesUnderTheNameTypedNext)
{
    const QString beta = TempPath("beta.cvn");
    ASSERT_TRUE(app->Manager().SaveDocumentAs(beta.toStdString()));
    const std::string old = ReadFile(beta.toStdString());
    Document().ChangeShape(2, 3, 3);
    std::unique_ptr<ModalResponder> replaceQuestion, secondQuestion;
    QString asked;
    const ModalResponder dialog(
        [&](QWidget& window) {
            auto* nameEdit = window.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(nameEdit, nullptr);
            replaceQuestion = std::make_unique<ModalResponder>(
                [&, nameEdit](QWidget& box) {
                    asked = static_cast<QMessageBox&>(box).text();
                    static_cast<QMessageBox&>(box).button(QMessageBox::No)->click();
                    QTimer::singleShot(0, nameEdit, [&, nameEdit] {
                        nameEdit->selectAll();
                        QTest::keyClicks(nameEdit, QStringLiteral("gamma"));
                        secondQuestion = std::make_unique<ModalResponder>(
                            [](QWidget& again) { static_cast<QMessageBox&>(again).button(QMessageBox::Yes)->click(); },
                            "QMessageBox");
                        QTest::keyClick(nameEdit, Qt::Key_Return);
                    });
                },
                "QMessageBox");
            QTest::keyClick(nameEdit, Qt::Key_Return);
        },
        "QFileDialog");
    app->Router().Execute(ID_FILE_SAVE_AS);
    EXPECT_TRUE(asked.contains(QStringLiteral("beta.cvn"))) << asked.toStdString();
    ASSERT_NE(secondQuestion, nullptr);
    EXPECT_FALSE(secondQuestion->Answered()) << "gamma.cvn is new: nothing to ask";
    EXPECT_TRUE(ReadFile(beta.toStdString()) == old);
    EXPECT_TRUE(ReadFile(TempPath("gamma.cvn").toStdString()) == Bytes(Document()));
    EXPECT_EQ(Document().GetPathName(), TempPath("gamma.cvn").toStdString());
}

TEST_F(FrameTest, SelectTdKeepsTheDocumentOnAFileWithoutDataAndNotesAnEarlyStop)
{
    SelectTrainingDataThroughDialog(WriteTrainingData(4));
    Document().SetModifiedFlag(false);
    const std::string before = Bytes(Document());
    const std::string missing = TempPath("missing.dat").toStdString();
    {
        const BoxAnswer message(QMessageBox::Ok);
        SelectTrainingDataThroughDialog(missing);
        EXPECT_EQ(message.text.toStdString(),
                  "The training data file " + missing + " cannot be read: No such file or directory.");
    }
    EXPECT_TRUE(Bytes(Document()) == before);
    EXPECT_FALSE(Document().IsModified());
    EXPECT_EQ(FieldText(IDC_PATTERNS_COUNT), "4");

    const std::string stops = TempPath("stops.dat").toStdString();
    WriteFile(stops, "1 2 3 4 5 6\n7 x\n");
    SelectTrainingDataThroughDialog(stops);
    EXPECT_EQ(Document().GetPatternsCount(), 1);
    EXPECT_EQ(app->Frame()->statusBar()->currentMessage().toStdString(),
              "1 record read from " + stops + "; reading stopped at line 2 at \"x\", which is not a number.");
}

TEST(StartupTest, FileThatCannotBeOpenedEndsWithoutAWindow)
{
    const QTemporaryDir directory;
    CCorvinaApp app;
    const BoxAnswer message(QMessageBox::Ok);
    EXPECT_FALSE(app.CreateMainWindow(directory.filePath("absent.cvn")));
    EXPECT_TRUE(message.text.contains("absent.cvn")) << message.text.toStdString();
    EXPECT_EQ(app.Frame(), nullptr);
}

TEST(StartupTest, FileOnTheCommandLineOpensOrPrintsAndAnEmptyOneIsANewNetwork)
{
    const QTemporaryDir directory;
    const QString saved = directory.filePath("three.cvn");
    const QString empty = directory.filePath("empty.cvn");
    {
        CCorvinaApp first;
        ASSERT_TRUE(first.CreateMainWindow({}));
        first.Document().ChangeShape(3, 6, 4);
        ASSERT_TRUE(first.Manager().SaveDocumentAs(saved.toStdString()));
        QFile(empty).open(QIODevice::WriteOnly);
    }
    for (const auto& [path, layers, inputs] : {std::tuple{saved, "3", "6"}, std::tuple{empty, "5", "4"}}) {
        CCorvinaApp app;
        ASSERT_TRUE(app.CreateMainWindow(path));
        EXPECT_EQ(LineText(app, IDC_LEVELS_COUNT), layers);
        EXPECT_EQ(LineText(app, IDC_INPUT_COUNT), inputs);
        EXPECT_EQ(app.Frame()->windowTitle(), "Corvina - " + QFileInfo(path).fileName());
    }
    const QString pdf = directory.filePath("report.pdf");
    CCorvinaApp printing;
    EXPECT_TRUE(printing.PrintDocument(saved, pdf));
    EXPECT_EQ(printing.Frame(), nullptr);
    EXPECT_GT(QFile(pdf).size(), 0);
}

TEST(CommandLineTest, ReadsEveryFormAndRefusesTheRest)
{
    using enum StartupRequest::Action;
    const struct {
        QStringList arguments;
        StartupRequest::Action action;
        QString file;
        QString target;
    } cases[] = {
        {{}, Run, "", ""},
        {{"net.cvn"}, Run, "net.cvn", ""},
        {{"--print", "net.cvn"}, Print, "net.cvn", ""},
        {{"--print-to", "out.pdf", "net.cvn"}, Print, "net.cvn", "out.pdf"},
        {{"--print-to", "Office", "net.cvn"}, Print, "net.cvn", "Office"},
        {{"--print"}, Invalid, "", ""},
        {{"--print-to"}, Invalid, "", ""},
        {{"--bogus"}, Invalid, "", ""},
        {{"a.cvn", "b.cvn"}, Invalid, "", ""},
        {{"--help"}, Help, "", ""},
        {{"-h"}, Help, "", ""},
        {{"--version"}, Version, "", ""},
        {{"--help", "net.cvn"}, Invalid, "", ""},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.arguments.join(' ').toStdString());
        const StartupRequest request = ParseCommandLine(each.arguments);
        EXPECT_EQ(request.action, each.action);
        EXPECT_EQ(request.error.isEmpty(), each.action != Invalid);
        EXPECT_EQ(request.file, each.file);
        EXPECT_EQ(request.printTarget, each.target);
    }
}

}  // namespace
