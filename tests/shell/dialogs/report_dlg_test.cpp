#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>

#include "modal_driver.h"
#include "scripted_chooser.h"
#include "shell/dialogs/qt_network_dialogs.h"
#include "shell/dialogs/report_dlg.h"

TEST(ReportDialog, ShowsTheReportLinesReadOnly)
{
    ScriptedChooser chooser;
    QtNetworkDialogs dialogs(chooser, nullptr);
    QString title;
    QString text;
    bool readOnly = false;
    OnNextModal([&](QWidget& window) {
        auto* edit = Control<QPlainTextEdit>(window, CReportDlg::TextId);
        title = window.windowTitle();
        text = edit->toPlainText();
        readOnly = edit->isReadOnly();
        static_cast<QDialog&>(window).accept();
    });
    dialogs.ShowReport("Output # 0, - \t3.000000\r\nOutput # 1, - \t-0.500000\r\n");
    EXPECT_EQ(title, "One consult report");
    EXPECT_EQ(text, "Output # 0, - \t3.000000\nOutput # 1, - \t-0.500000\n");
    EXPECT_TRUE(readOnly);
}

TEST(ReportDialog, EnterAndEscapeCloseIt)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        CReportDlg report;
        report.SetText("Output # 0, - \t1.000000\r\n");
        OnNextModal([key](QWidget& window) {
            QTest::keyClick(Control<QPlainTextEdit>(window, CReportDlg::TextId), key);
        });
        report.exec();
        EXPECT_FALSE(report.isVisible()) << key;
    }
}
