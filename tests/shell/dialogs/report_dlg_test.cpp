#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "shell/dialogs/qt_network_dialogs.h"
#include "shell/dialogs/report_dlg.h"
#include "tests/framework/fakes.h"
#include "tests/support/modal.h"

namespace {

class ReportDialogTest : public testing::TestWithParam<Qt::Key> {};

TEST_P(ReportDialogTest, ShowsTheLinesReadOnlyAndClosesOnTheKey)
{
    ScriptedUser chooser;
    QtNetworkDialogs dialogs(chooser, nullptr);
    QStringList shown;
    const ModalResponder responder([&](QWidget& window) {
        auto* edit = Control<QPlainTextEdit>(window, CReportDlg::TextId);
        shown << window.windowTitle() << edit->toPlainText() << (edit->isReadOnly() ? "read-only" : "editable");
        QTest::keyClick(edit, GetParam());
    });
    // Returns only once the key has closed the report.
    dialogs.ShowReport("Output # 0, - \t3.000000\r\nOutput # 1, - \t-0.500000\r\n");
    EXPECT_EQ(shown, QStringList({"One consult report", "Output # 0, - \t3.000000\nOutput # 1, - \t-0.500000\n", "read-only"}));
}

INSTANTIATE_TEST_SUITE_P(Keys, ReportDialogTest, testing::Values(Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape),
                         [](const testing::TestParamInfo<Qt::Key>& key) {
                             return key.param == Qt::Key_Return ? "Return" : key.param == Qt::Key_Enter ? "Enter" : "Escape";
                         });

}  // namespace
