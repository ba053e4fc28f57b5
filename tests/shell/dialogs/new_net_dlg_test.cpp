#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "tests/support/modal.h"
#include "tests/support/rows.h"
#include "shell/dialogs/new_net_dlg.h"

namespace {

QLineEdit& Edit(const QWidget& dialog, int id)
{
    return *Control<QLineEdit>(dialog, id);
}

constexpr int L = CNewNetDlg::LayersEditId, I = CNewNetDlg::InputsEditId, O = CNewNetDlg::OutputsEditId;

// The three field texts, and the message that refuses them (none: the dialog closes with OK),
// its icon and the field that gets the focus.
struct ShapeRow {
    const char* name;
    const char* layers;
    const char* inputs;
    const char* outputs;
    const char* message;
    QMessageBox::Icon icon;
    int focus;
};
PRINTS_AS_NAME(ShapeRow)

class ShapeDialogTest : public testing::TestWithParam<ShapeRow> {};

TEST_P(ShapeDialogTest, OkChecksInputsOutputsLayersInOrderThenTheRatio)
{
    const ShapeRow& row = GetParam();
    CNewNetDlg dialog;
    dialog.SetFields({5, 4, 2});
    dialog.show();
    Edit(dialog, L).setText(row.layers);
    Edit(dialog, I).setText(row.inputs);
    Edit(dialog, O).setText(row.outputs);
    const BoxAnswer seen(QMessageBox::Ok);
    Click(dialog, 1);
    ASSERT_EQ(seen.Answered(), *row.message != '\0');
    if (!seen.Answered()) {
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        const ShapeFields read = dialog.Fields();
        EXPECT_EQ(std::tuple(read.layers, read.inputs, read.outputs),
                  std::tuple(std::stoul(row.layers), std::stoul(row.inputs), std::stoul(row.outputs)));
        return;
    }
    EXPECT_EQ(seen.text.toStdString(), row.message);
    EXPECT_EQ(seen.icon, row.icon);
    EXPECT_EQ(seen.owner, &dialog);
    EXPECT_TRUE(dialog.isVisible());
    // The refused field has the focus, its text selected; the user's texts stay for correction.
    EXPECT_EQ(dialog.focusWidget(), &Edit(dialog, row.focus));
    EXPECT_EQ(Edit(dialog, row.focus).selectedText(), Edit(dialog, row.focus).text());
    EXPECT_EQ(Edit(dialog, I).text(), row.inputs);
    EXPECT_EQ(dialog.Fields().inputs, 4u);
}

constexpr auto Stop = QMessageBox::Critical, Warn = QMessageBox::Warning, Ok = QMessageBox::NoIcon;
const char* const Unsigned = "Please enter an unsigned integer.";
const char* const Range = "Please enter an integer between 1 and 100000.";
INSTANTIATE_TEST_SUITE_P(
    Fields, ShapeDialogTest,
    testing::Values(
        ShapeRow{"OneInputTwoOutputs", "5", "1", "2", "", Ok, 0},
        ShapeRow{"OneInputThreeOutputs", "5", "1", "3", "Error occured. If Input Count = 1, then OutputCount must be between 0 & 3.", Stop, O},
        ShapeRow{"BlankInputs", "5", " ", "2", Unsigned, Warn, I}, ShapeRow{"TooManyLayers", "100001", "4", "2", Range, Warn, L},
        // Inputs are read first, and a range error ends the reading before the ratio is looked at.
        ShapeRow{"InputsFirst", "x", "0", "y", Range, Warn, I}, ShapeRow{"OutputsSecond", "x", "4", "y", Unsigned, Warn, O},
        ShapeRow{"RangeBeforeRatio", "0", "4", "1", Range, Warn, L},
        ShapeRow{"TooManyNeurons", "100000", "100000", "100000", "The network is too large: 10000100000 neurons. At most 16777216 neurons can be built.", Stop, L}),
    RowName());

struct CloseRow {
    const char* name;
    void (*close)(QWidget&);
    bool accepted;
};
PRINTS_AS_NAME(CloseRow)

class ShapeDialogCloseTest : public testing::TestWithParam<CloseRow> {};

// The dialog opens with the counts; Enter presses OK, while Cancel and Escape read nothing.
TEST_P(ShapeDialogCloseTest, OpensWithTheCountsAndReadsThemOnlyOnOk)
{
    CNewNetDlg dialog;
    dialog.SetFields({7, 12, 30});
    EXPECT_EQ(dialog.windowTitle(), "Create a New Corvina");
    EXPECT_EQ(QStringList({Edit(dialog, L).text(), Edit(dialog, I).text(), Edit(dialog, O).text()}),
              QStringList({"7", "12", "30"}));
    // The fields follow each other in the template's tab order.
    EXPECT_EQ(Edit(dialog, L).nextInFocusChain(), &Edit(dialog, I));
    const ModalResponder responder([](QWidget& window) {
        Edit(window, L).setText("9");
        GetParam().close(window);
    });
    EXPECT_EQ(dialog.exec(), GetParam().accepted ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(dialog.Fields().layers, GetParam().accepted ? 9u : 7u);
    EXPECT_EQ(dialog.Fields().outputs, 30u);
}

INSTANTIATE_TEST_SUITE_P(Ways, ShapeDialogCloseTest,
                         testing::Values(CloseRow{"Enter", [](QWidget& w) { QTest::keyClick(&Edit(w, O), Qt::Key_Return); }, true},
                                         CloseRow{"Escape", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Escape); }, false},
                                         CloseRow{"Cancel", [](QWidget& w) { Click(w, 2); }, false}),
                         RowName());

}  // namespace
