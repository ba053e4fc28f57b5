#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "modal_driver.h"
#include "shell/dialogs/new_net_dlg.h"

namespace {

struct ShapeTexts {
    const char* layers;
    const char* inputs;
    const char* outputs;
};

// Which field a refusal puts the focus on.
enum class Focus { None, Layers, Inputs, Outputs };

struct ShapeCase {
    ShapeTexts texts;
    const char* message;  // empty: the dialog closes with OK
    QMessageBox::Icon icon;
    Focus focus;
};

constexpr const char* Unsigned = "Please enter an unsigned integer.";
constexpr const char* Range = "Please enter an integer between 1 and 100000.";

class ShapeDialogCases : public testing::TestWithParam<ShapeCase> {};

int EditIdOf(Focus focus)
{
    switch (focus) {
    case Focus::Layers:
        return CNewNetDlg::LayersEditId;
    case Focus::Inputs:
        return CNewNetDlg::InputsEditId;
    default:
        return CNewNetDlg::OutputsEditId;
    }
}

void Type(CNewNetDlg& dialog, const ShapeTexts& texts)
{
    Control<QLineEdit>(dialog, CNewNetDlg::LayersEditId)->setText(QString::fromUtf8(texts.layers));
    Control<QLineEdit>(dialog, CNewNetDlg::InputsEditId)->setText(QString::fromUtf8(texts.inputs));
    Control<QLineEdit>(dialog, CNewNetDlg::OutputsEditId)->setText(QString::fromUtf8(texts.outputs));
}

}  // namespace

TEST_P(ShapeDialogCases, OkChecksTheFieldsInOrderAndTheRatio)
{
    const ShapeCase& shapeCase = GetParam();
    CNewNetDlg dialog;
    dialog.SetFields({5, 4, 2});
    dialog.show();
    Type(dialog, shapeCase.texts);

    SeenBox seen;
    const bool refused = *shapeCase.message != '\0';
    if (refused)
        PressOnNextBox(seen, QMessageBox::Ok);
    Click(dialog, 1);

    if (!refused) {
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Fields().layers, std::stoul(shapeCase.texts.layers));
        EXPECT_EQ(dialog.Fields().inputs, std::stoul(shapeCase.texts.inputs));
        EXPECT_EQ(dialog.Fields().outputs, std::stoul(shapeCase.texts.outputs));
        return;
    }
    QTest::qWait(20);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.text.toStdString(), shapeCase.message);
    EXPECT_EQ(seen.title, "Corvina");
    EXPECT_EQ(seen.icon, shapeCase.icon);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.owner, &dialog);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    auto* focused = Control<QLineEdit>(dialog, EditIdOf(shapeCase.focus));
    EXPECT_EQ(dialog.focusWidget(), focused);
    EXPECT_EQ(focused->selectedText(), focused->text());
    // The user's text stays for correction.
    EXPECT_EQ(Control<QLineEdit>(dialog, CNewNetDlg::InputsEditId)->text().toStdString(), shapeCase.texts.inputs);
    EXPECT_EQ(dialog.Fields().inputs, 4u);
}

constexpr auto Ok = QMessageBox::NoIcon;
constexpr auto Stop = QMessageBox::Critical;
constexpr auto Warn = QMessageBox::Warning;

INSTANTIATE_TEST_SUITE_P(
    RatioWindow, ShapeDialogCases,
    testing::Values(
        ShapeCase{{"5", "1", "1"}, "", Ok, Focus::None},
        ShapeCase{{"5", "1", "2"}, "", Ok, Focus::None},
        ShapeCase{{"5", "1", "3"}, "Error occured. If Input Count = 1, then OutputCount must be between 0 & 3.",
                  Stop, Focus::Outputs},
        ShapeCase{{"5", "2", "1"}, "", Ok, Focus::None},
        ShapeCase{{"5", "2", "5"}, "", Ok, Focus::None},
        ShapeCase{{"5", "2", "6"}, "Error occured. If Input Count = 2, then OutputCount must be between 0 & 6.",
                  Stop, Focus::Outputs},
        ShapeCase{{"5", "4", "1"}, "Error occured. If Input Count = 4, then OutputCount must be between 1 & 12.",
                  Stop, Focus::Outputs},
        ShapeCase{{"5", "4", "2"}, "", Ok, Focus::None},
        ShapeCase{{"5", "4", "11"}, "", Ok, Focus::None},
        ShapeCase{{"5", "4", "12"}, "Error occured. If Input Count = 4, then OutputCount must be between 1 & 12.",
                  Stop, Focus::Outputs},
        ShapeCase{{"1", "100000", "33333"},
                  "Error occured. If Input Count = 100000, then OutputCount must be between 33333 & 300000.",
                  Stop, Focus::Outputs},
        ShapeCase{{"1", "100000", "33334"}, "", Ok, Focus::None},
        ShapeCase{{"1", "100000", "100000"}, "", Ok, Focus::None},
        ShapeCase{{"1", "100000", "100001"}, Range, Warn, Focus::Outputs}));

INSTANTIATE_TEST_SUITE_P(
    FieldMessages, ShapeDialogCases,
    testing::Values(
        ShapeCase{{"5", "", "2"}, Unsigned, Warn, Focus::Inputs},
        ShapeCase{{"5", "four", "2"}, Unsigned, Warn, Focus::Inputs},
        ShapeCase{{"5", "4", "-2"}, Unsigned, Warn, Focus::Outputs},
        ShapeCase{{"abc", "4", "2"}, Unsigned, Warn, Focus::Layers},
        ShapeCase{{"", "4", "2"}, Unsigned, Warn, Focus::Layers},
        ShapeCase{{"5", "0", "2"}, Range, Warn, Focus::Inputs},
        ShapeCase{{"5", "4", "0"}, Range, Warn, Focus::Outputs},
        ShapeCase{{"0", "4", "2"}, Range, Warn, Focus::Layers},
        ShapeCase{{"100001", "4", "2"}, Range, Warn, Focus::Layers},
        // Inputs are read first, so a bad input count hides every other error.
        ShapeCase{{"x", "0", "y"}, Range, Warn, Focus::Inputs},
        ShapeCase{{"x", "4", "y"}, Unsigned, Warn, Focus::Outputs},
        // A range error ends the reading before the ratio is looked at.
        ShapeCase{{"0", "4", "1"}, Range, Warn, Focus::Layers}));

TEST(ShapeDialog, OpensWithTheCountsAndTheTemplateCaption)
{
    CNewNetDlg dialog;
    dialog.SetFields({7, 12, 30});
    EXPECT_EQ(dialog.windowTitle(), "Create a New Corvina");
    EXPECT_EQ(Control<QLineEdit>(dialog, CNewNetDlg::LayersEditId)->text(), "7");
    EXPECT_EQ(Control<QLineEdit>(dialog, CNewNetDlg::InputsEditId)->text(), "12");
    EXPECT_EQ(Control<QLineEdit>(dialog, CNewNetDlg::OutputsEditId)->text(), "30");
}

TEST(ShapeDialog, CancelAndEscapeCloseWithoutReadingTheFields)
{
    for (const bool escape : {false, true}) {
        CNewNetDlg dialog;
        dialog.SetFields({5, 4, 2});
        Control<QLineEdit>(dialog, CNewNetDlg::InputsEditId)->setText("nonsense");
        OnNextModal([escape](QWidget& window) {
            if (escape)
                QTest::keyClick(&window, Qt::Key_Escape);
            else
                Click(window, 2);
        });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_EQ(dialog.Fields().inputs, 4u);
    }
}

TEST(ShapeDialog, EnterPressesOk)
{
    CNewNetDlg dialog;
    dialog.SetFields({5, 4, 2});
    OnNextModal([](QWidget& window) {
        Control<QLineEdit>(window, CNewNetDlg::LayersEditId)->setText("9");
        QTest::keyClick(Control<QLineEdit>(window, CNewNetDlg::OutputsEditId), Qt::Key_Return);
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.Fields().layers, 9u);
}
