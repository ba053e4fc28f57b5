#include <gtest/gtest.h>

#include <QLineEdit>

#include "tests/support/modal.h"
#include "tests/support/rows.h"
#include "shell/dialogs/new_net_dlg.h"

namespace {

QLineEdit& Edit(const QWidget& dialog, int id) { return *Control<QLineEdit>(dialog, id); }

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
    EXPECT_EQ(seen.text.toStdString(), row.message);
    if (!seen.Answered()) {
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return;
    }
    EXPECT_EQ(std::tuple(seen.icon, seen.owner, dialog.isVisible()), std::tuple(row.icon, &dialog, true));
    // The refused field has the focus, its text selected; the user's texts stay for correction.
    EXPECT_EQ(dialog.focusWidget(), &Edit(dialog, row.focus));
    EXPECT_EQ(Edit(dialog, row.focus).selectedText(), Edit(dialog, row.focus).text());
    EXPECT_EQ(Edit(dialog, I).text(), row.inputs);
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

}  // namespace
