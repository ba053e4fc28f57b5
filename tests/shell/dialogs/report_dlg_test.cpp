#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>

#include "modal_driver.h"
#include "shell/dialogs/qt_network_dialogs.h"
#include "shell/dialogs/report_dlg.h"

TEST(ReportDialog, ShowsTheReportLinesReadOnlyAndClosesOnEnterOrEscape)
{
    ScriptedUser chooser;
    QtNetworkDialogs dialogs(chooser, nullptr);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        SCOPED_TRACE(key);
        QString title;
        QString text;
        bool readOnly = false;
        OnNextModal([&](QWidget& window) {
            auto* edit = Control<QPlainTextEdit>(window, CReportDlg::TextId);
            title = window.windowTitle();
            text = edit->toPlainText();
            readOnly = edit->isReadOnly();
            QTest::keyClick(edit, key);
        });
        // Returns only once the key has closed the report.
        dialogs.ShowReport("Output # 0, - \t3.000000\r\nOutput # 1, - \t-0.500000\r\n");
        EXPECT_EQ(title, "One consult report");
        EXPECT_EQ(text, "Output # 0, - \t3.000000\nOutput # 1, - \t-0.500000\n");
        EXPECT_TRUE(readOnly);
    }
}
