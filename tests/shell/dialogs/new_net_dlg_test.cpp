#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "modal_driver.h"
#include "shell/dialogs/new_net_dlg.h"

namespace {

QLineEdit& Edit(const QWidget& dialog, int id)
{
    return *Control<QLineEdit>(dialog, id);
}

}  // namespace

TEST(ShapeDialog, OkChecksInputsOutputsLayersInOrderThenTheRatio)
{
    constexpr int L = CNewNetDlg::LayersEditId, I = CNewNetDlg::InputsEditId, O = CNewNetDlg::OutputsEditId;
    constexpr auto Stop = QMessageBox::Critical, Warn = QMessageBox::Warning, Ok = QMessageBox::NoIcon;
    const char* const unsignedInt = "Please enter an unsigned integer.";
    const char* const range = "Please enter an integer between 1 and 100000.";
    const struct {
        const char* layers;
        const char* inputs;
        const char* outputs;
        const char* message;  // empty: the dialog closes with OK
        QMessageBox::Icon icon;
        int focus;
    } cases[] = {
        {"5", "1", "1", "", Ok, 0},
        {"5", "1", "2", "", Ok, 0},
        {"5", "1", "3", "Error occured. If Input Count = 1, then OutputCount must be between 0 & 3.", Stop, O},
        {"5", "2", "5", "", Ok, 0},
        {"5", "2", "6", "Error occured. If Input Count = 2, then OutputCount must be between 0 & 6.", Stop, O},
        {"5", "4", "1", "Error occured. If Input Count = 4, then OutputCount must be between 1 & 12.", Stop, O},
        {"5", "4", "2", "", Ok, 0},
        {"5", "4", "11", "", Ok, 0},
        {"5", "4", "12", "Error occured. If Input Count = 4, then OutputCount must be between 1 & 12.", Stop, O},
        {"1", "100000", "33333",
         "Error occured. If Input Count = 100000, then OutputCount must be between 33333 & 300000.", Stop, O},
        {"1", "100000", "33334", "", Ok, 0},
        {"1", "100000", "100001", range, Warn, O},
        {"5", "", "2", unsignedInt, Warn, I},
        {"5", "four", "2", unsignedInt, Warn, I},
        {"5", "4", "-2", unsignedInt, Warn, O},
        {"abc", "4", "2", unsignedInt, Warn, L},
        {"5", "0", "2", range, Warn, I},
        {"5", "4", "0", range, Warn, O},
        {"0", "4", "2", range, Warn, L},
        {"100001", "4", "2", range, Warn, L},
        // Inputs are read first, and a range error ends the reading before the ratio is looked at.
        {"x", "0", "y", range, Warn, I},
        {"x", "4", "y", unsignedInt, Warn, O},
        {"0", "4", "1", range, Warn, L},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(std::string(each.layers) + "/" + each.inputs + "/" + each.outputs);
        CNewNetDlg dialog;
        dialog.SetFields({5, 4, 2});
        dialog.show();
        Edit(dialog, L).setText(each.layers);
        Edit(dialog, I).setText(each.inputs);
        Edit(dialog, O).setText(each.outputs);
        SeenBox seen;
        if (*each.message != '\0')
            PressOnNextBox(seen, QMessageBox::Ok);
        Click(dialog, 1);
        if (*each.message == '\0') {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_FALSE(dialog.isVisible());
            const ShapeFields read = dialog.Fields();
            EXPECT_EQ(std::tuple(read.layers, read.inputs, read.outputs),
                      std::tuple(std::stoul(each.layers), std::stoul(each.inputs), std::stoul(each.outputs)));
            continue;
        }
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.text.toStdString(), each.message);
        EXPECT_EQ(seen.icon, each.icon);
        EXPECT_EQ(seen.owner, &dialog);
        EXPECT_TRUE(dialog.isVisible());
        // The refused field has the focus, its text selected; the user's texts stay for correction.
        EXPECT_EQ(dialog.focusWidget(), &Edit(dialog, each.focus));
        EXPECT_EQ(Edit(dialog, each.focus).selectedText(), Edit(dialog, each.focus).text());
        EXPECT_EQ(Edit(dialog, I).text(), each.inputs);
        EXPECT_EQ(dialog.Fields().inputs, 4u);
    }
}

TEST(ShapeDialog, OpensWithTheCountsAndEnterPressesOkButCancelAndEscapeReadNothing)
{
    constexpr int L = CNewNetDlg::LayersEditId, I = CNewNetDlg::InputsEditId, O = CNewNetDlg::OutputsEditId;
    for (const int way : {0, 1, 2}) {  // Enter, Escape, the Cancel button
        SCOPED_TRACE(way);
        CNewNetDlg dialog;
        dialog.SetFields({7, 12, 30});
        EXPECT_EQ(dialog.windowTitle(), "Create a New Corvina");
        EXPECT_EQ(QStringList({Edit(dialog, L).text(), Edit(dialog, I).text(), Edit(dialog, O).text()}),
                  QStringList({"7", "12", "30"}));
        // The fields follow each other in the template's tab order.
        EXPECT_EQ(Edit(dialog, L).nextInFocusChain(), &Edit(dialog, I));
        OnNextModal([way](QWidget& window) {
            Edit(window, L).setText("9");
            if (way == 0)
                QTest::keyClick(&Edit(window, O), Qt::Key_Return);
            else if (way == 1)
                QTest::keyClick(&window, Qt::Key_Escape);
            else
                Click(window, 2);
        });
        EXPECT_EQ(dialog.exec(), way == 0 ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(dialog.Fields().layers, way == 0 ? 9u : 7u);
        EXPECT_EQ(dialog.Fields().outputs, 30u);
    }
}
