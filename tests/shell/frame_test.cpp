#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QStatusBar>
#include <memory>

#include "document/network_file.h"
#include "shell_fixture.h"

namespace {

using FrameTest = ShellTest;

TEST_F(FrameTest, CaptionNamesTheDocumentAndTheSizeIsFixed)
{
    CMainFrame& frame = *app->Frame();
    EXPECT_EQ(frame.windowTitle(), "Corvina - Untitled");
    ASSERT_TRUE(app->Manager().SaveDocumentAs(TempPath("net.cvn").toStdString()));
    frame.UpdateCaption();
    EXPECT_EQ(frame.windowTitle(), "Corvina - net.cvn");
    EXPECT_EQ(frame.minimumSize(), frame.maximumSize());
    // It can be minimised, not maximised.
    EXPECT_EQ(frame.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint), Qt::WindowMinimizeButtonHint);
}

TEST_F(FrameTest, StatusBarShowsReadyTheLockPanesAndPrompts)
{
    QStatusBar* bar = app->Frame()->statusBar();
    EXPECT_EQ(bar->findChild<QLabel*>()->text(), "Ready");
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

// Save As offers the document's file; declining to replace it keeps the dialog open, and the
// name typed next is saved without a question.
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
    EXPECT_TRUE(ReadFile(TempPath("gamma.cvn").toStdString()) == WriteNetwork(Document().Model()));
    EXPECT_EQ(Document().GetPathName(), TempPath("gamma.cvn").toStdString());
}

TEST_F(FrameTest, SelectTdShowsAnEarlyStopInTheStatusBar)
{
    const std::string stops = TempPath("stops.dat").toStdString();
    WriteFile(stops, "1 2 3 4 5 6\n7 x\n");
    SelectTrainingDataThroughDialog(stops);
    EXPECT_EQ(Document().GetPatternsCount(), 1);
    EXPECT_EQ(app->Frame()->statusBar()->currentMessage().toStdString(),
              "1 record read from " + stops + "; reading stopped at line 2 at \"x\", which is not a number.");
}

TEST_F(FrameTest, PrintWritesOnePageAndACancelledDialogNothing)
{
    const QString pdf = TempPath("report.pdf");
    app->Printer().setOutputFormat(QPrinter::PdfFormat);
    app->Printer().setOutputFileName(pdf);
    {
        const ModalResponder cancel([](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); }, "QPrintDialog");
        app->Router().Execute(ID_FILE_PRINT);
        EXPECT_TRUE(cancel.Answered());
    }
    EXPECT_FALSE(QFile::exists(pdf));
    app->Router().Execute(ID_FILE_PRINT_DIRECT);
    const QByteArray bytes = QByteArray::fromStdString(ReadFile(pdf.toStdString()));
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1);
}

}  // namespace
