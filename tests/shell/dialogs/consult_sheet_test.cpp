#include <gtest/gtest.h>

#include <vector>

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

#include "tests/framework/fakes.h"
#include "tests/support/modal.h"
#include "shell/dialogs/consult_dlg.h"
#include "shell/dialogs/consult_file_page.h"
#include "shell/dialogs/consult_one_page.h"
#include "shell/dialogs/qt_network_dialogs.h"

namespace {

using Values = std::vector<double>;

// The Consult sheet run through the network dialogs as the document runs it, over values and
// two paths; the script acts on the sheet from inside its event loop.
class ConsultSheet : public testing::Test {
protected:
    ConsultOutcome Run(Values initial, std::function<void(CConsultDlg&)> script)
    {
        fields.values = std::move(initial);
        const ModalResponder responder([script](QWidget& window) { script(static_cast<CConsultDlg&>(window)); });
        return dialogs.RunConsultSheet(fields);
    }

    static QListWidget& List(CConsultDlg& sheet) { return *Control<QListWidget>(sheet, CConsultOnePage::InputsListId); }
    static QLineEdit& Value(CConsultDlg& sheet) { return *Control<QLineEdit>(sheet, CConsultOnePage::ValueEditId); }
    static QString Item(CConsultDlg& sheet, int row) { return List(sheet).item(row)->text(); }

    // Replaces the Value field's text by typing it, one keystroke at a time.
    static void Type(CConsultDlg& sheet, const QString& text)
    {
        Value(sheet).selectAll();
        QTest::keyClicks(&Value(sheet), text);
    }

    // Does press and gives the text of the refusal it brings.
    static QString Refusal(const std::function<void()>& press)
    {
        const BoxAnswer box(QMessageBox::Ok);
        press();
        return box.text;
    }

    ScriptedUser chooser;
    QtNetworkDialogs dialogs{chooser, nullptr};
    ConsultFields fields{{}, "old-in.dat", "old-out.dat"};
};

}  // namespace

TEST_F(ConsultSheet, TypingRewritesTheSelectedItemButCancelKeepsTheValues)
{
    const ConsultOutcome outcome = Run({0.25, 1.0 / 3.0, -2.0, 1e6}, [](CConsultDlg& sheet) {
        EXPECT_EQ(sheet.windowTitle(), "Consult");
        EXPECT_EQ(sheet.Pages().currentIndex(), CConsultDlg::SingularPage);
        EXPECT_EQ(QStringList({sheet.Pages().tabText(0), sheet.Pages().tabText(1), Item(sheet, 3), Value(sheet).text()}),
                  QStringList({"Singular", "Plural", "1000000.000000", "0.25"}));
        // The field shows what the item says, not the value behind it.
        List(sheet).setCurrentRow(1);
        EXPECT_EQ(Value(sheet).text(), "0.333333");
        List(sheet).setCurrentRow(2);
        Type(sheet, "0.1234567");
        EXPECT_EQ(Item(sheet, 2), "0.123457");
        Click(sheet, 2);
    });
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(fields.values, Values({0.25, 1.0 / 3.0, -2.0, 1e6}));
}

TEST_F(ConsultSheet, EveryKeystrokeIsValidatedAndARefusedTextKeepsTheValue)
{
    const ConsultOutcome outcome = Run({4.0, 0.0}, [](CConsultDlg& sheet) {
        Value(sheet).selectAll();
        EXPECT_EQ(Refusal([&] { QTest::keyClick(&Value(sheet), Qt::Key_Backspace); }), "Please enter a number.");
        EXPECT_EQ(Item(sheet, 0), "4.000000");
        EXPECT_EQ(sheet.focusWidget(), &Value(sheet));
        // A lone sign is not a number yet either; the next digit makes one.
        EXPECT_EQ(Refusal([&] { QTest::keyClick(&Value(sheet), Qt::Key_Minus); }), "Please enter a number.");
        EXPECT_EQ(Value(sheet).selectedText(), "-");
        Value(sheet).end(false);
        QTest::keyClick(&Value(sheet), Qt::Key_7);
        EXPECT_EQ(Item(sheet, 0), "-7.000000");

        // A text that is not a number keeps the user on the page, whether leaving it or confirming.
        Value(sheet).setText("abc");
        EXPECT_EQ(Refusal([&] { sheet.Pages().setCurrentIndex(CConsultDlg::PluralPage); }), "Please enter a number.");
        EXPECT_EQ(sheet.Pages().currentIndex(), CConsultDlg::SingularPage);
        EXPECT_EQ(Refusal([&] { Click(sheet, 1); }), "Please enter a number.");
        EXPECT_TRUE(sheet.isVisible());
        Value(sheet).setText("-7");
        Click(sheet, 1);
    });
    EXPECT_EQ(fields.values, Values({-7.0, 0.0}));
    EXPECT_EQ(outcome.activePage, ConsultPage::Singular);
}

// OK on the Plural page still writes the list back, and reports the page.
TEST_F(ConsultSheet, OkWritesTheListBackFromThePluralPageAndReportsIt)
{
    const ConsultOutcome outcome = Run({1.0, 2.0, 3.0}, [](CConsultDlg& sheet) {
        List(sheet).setCurrentRow(2);
        Type(sheet, "1.23456789");
        sheet.Pages().setCurrentIndex(CConsultDlg::PluralPage);
        Control<QLineEdit>(sheet, CConsultFilePage::OutputPathEditId)->setText("answers.txt");
        Click(sheet, 1);
    });
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.activePage, ConsultPage::Plural);
    EXPECT_EQ(fields.values, Values({1.0, 2.0, 1.234568}));
    EXPECT_EQ(fields.outputPath, "answers.txt");
}
