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
        const ConsultOutcome outcome = dialogs.RunConsultSheet(fields);
        values = fields.values;
        return outcome;
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

    static constexpr int InputId = CConsultFilePage::InputPathEditId;
    static constexpr int OutputId = CConsultFilePage::OutputPathEditId;
    static QLineEdit& Path(CConsultDlg& sheet, int id) { return *Control<QLineEdit>(sheet, id); }

    ScriptedUser chooser;
    QtNetworkDialogs dialogs{chooser, nullptr};
    Values values;
    ConsultFields fields{{}, "old-in.dat", "old-out.dat"};
};

}  // namespace

TEST_F(ConsultSheet, TypingRewritesTheSelectedItemButCancelKeepsTheValues)
{
    const ConsultOutcome outcome = Run({0.25, 1.0 / 3.0, -2.0, 1e6}, [](CConsultDlg& sheet) {
        EXPECT_EQ(sheet.windowTitle(), "Consult");
        EXPECT_EQ(sheet.Pages().currentIndex(), CConsultDlg::SingularPage);
        EXPECT_EQ(QStringList({sheet.Pages().tabText(0), sheet.Pages().tabText(1)}),
                  QStringList({"Singular", "Plural"}));
        EXPECT_EQ(List(sheet).count(), 4);
        EXPECT_EQ(Item(sheet, 3), "1000000.000000");
        EXPECT_EQ(List(sheet).currentRow(), 0);
        EXPECT_EQ(Value(sheet).text(), "0.25");
        // The field shows what the item says, not the value behind it.
        List(sheet).setCurrentRow(1);
        EXPECT_EQ(Value(sheet).text(), "0.333333");
        List(sheet).setCurrentRow(2);
        Type(sheet, "1.5");
        EXPECT_EQ(Item(sheet, 2), "1.500000");
        Type(sheet, "0.1234567");
        EXPECT_EQ(Item(sheet, 2), "0.123457");
        Click(sheet, 2);
    });
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(values, Values({0.25, 1.0 / 3.0, -2.0, 1e6}));
}

TEST_F(ConsultSheet, EveryKeystrokeIsValidatedAndARefusedTextKeepsTheValue)
{
    Run({4.0, 0.0}, [](CConsultDlg& sheet) {
        {
            const BoxAnswer cleared(QMessageBox::Ok);
            Value(sheet).selectAll();
            QTest::keyClick(&Value(sheet), Qt::Key_Backspace);
            EXPECT_EQ(cleared.text, "Please enter a number.");
            EXPECT_EQ(cleared.title, "Corvina");
            EXPECT_EQ(cleared.buttons, QMessageBox::Ok);
            EXPECT_EQ(Item(sheet, 0), "4.000000");
            EXPECT_EQ(sheet.focusWidget(), &Value(sheet));
        }
        {
            // A lone sign is not a number yet either; the next digit makes one.
            const BoxAnswer sign(QMessageBox::Ok);
            QTest::keyClick(&Value(sheet), Qt::Key_Minus);
            EXPECT_TRUE(sign.Answered());
            EXPECT_EQ(Value(sheet).selectedText(), "-");
            EXPECT_EQ(Item(sheet, 0), "4.000000");
        }
        Value(sheet).end(false);
        QTest::keyClick(&Value(sheet), Qt::Key_7);
        EXPECT_EQ(Item(sheet, 0), "-7.000000");

        // A text that is not a number keeps the user on the page, whether leaving it or confirming.
        Value(sheet).setText("abc");
        {
            const BoxAnswer leaving(QMessageBox::Ok);
            sheet.Pages().setCurrentIndex(CConsultDlg::PluralPage);
            EXPECT_EQ(leaving.text, "Please enter a number.");
            EXPECT_EQ(sheet.Pages().currentIndex(), CConsultDlg::SingularPage);
        }
        {
            const BoxAnswer confirming(QMessageBox::Ok);
            Click(sheet, 1);
            EXPECT_TRUE(confirming.Answered());
        }
        EXPECT_TRUE(sheet.isVisible());
        Value(sheet).setText("-7");
        Click(sheet, 1);
    });
    EXPECT_EQ(values, Values({-7.0, 0.0}));
}

class ConsultSheetPageTest : public ConsultSheet, public testing::WithParamInterface<ConsultPage> {};

TEST_P(ConsultSheetPageTest, OkWritesTheListBackFromEitherPageAndReportsThePage)
{
    const ConsultPage page = GetParam();
    {
        const ConsultOutcome outcome = Run({1.0, 2.0, 3.0}, [page](CConsultDlg& sheet) {
            List(sheet).setCurrentRow(2);
            Type(sheet, "1.23456789");
            if (page == ConsultPage::Plural) {
                sheet.Pages().setCurrentIndex(CConsultDlg::PluralPage);
                Path(sheet, OutputId).setText("answers.txt");
            }
            Click(sheet, 1);
        });
        EXPECT_TRUE(outcome.accepted);
        EXPECT_EQ(outcome.activePage, page);
        EXPECT_EQ(values, Values({1.0, 2.0, 1.234568}));
        EXPECT_EQ(fields.outputPath, page == ConsultPage::Plural ? "answers.txt" : "old-out.dat");
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ConsultSheetPageTest, testing::Values(ConsultPage::Singular, ConsultPage::Plural),
                         [](const testing::TestParamInfo<ConsultPage>& page) {
                             return page.param == ConsultPage::Plural ? "Plural" : "Singular";
                         });

TEST_F(ConsultSheet, PathsAreBrowsedAndGoBackAsLastExchangedAlsoOnCancel)
{
    chooser.fileAnswers = {"/data/rows.dat", ""};
    const ConsultOutcome outcome = Run({1.0}, [](CConsultDlg& sheet) {
        sheet.Pages().setCurrentIndex(CConsultDlg::PluralPage);
        Path(sheet, InputId).setText("typed-in.dat");
        Path(sheet, OutputId).setText("answers.txt");
        Click(sheet, CConsultFilePage::BrowseInputId);
        Click(sheet, CConsultFilePage::BrowseOutputId);
        EXPECT_EQ(Path(sheet, InputId).text(), "/data/rows.dat");
        // A cancelled chooser leaves the field as the user typed it.
        EXPECT_EQ(Path(sheet, OutputId).text(), "answers.txt");
        // Leaving the page exchanges its fields; what is typed after, without leaving, is not.
        sheet.Pages().setCurrentIndex(CConsultDlg::SingularPage);
        sheet.Pages().setCurrentIndex(CConsultDlg::PluralPage);
        Path(sheet, InputId).setText("typed-but-not-exchanged.txt");
        QTest::keyClick(&sheet, Qt::Key_Escape);
    });
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.activePage, ConsultPage::Plural);
    EXPECT_EQ(fields.inputPath, "/data/rows.dat");
    EXPECT_EQ(fields.outputPath, "answers.txt");
    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_EQ(chooser.requests[0].mode, FileDialogMode::Open);
    EXPECT_EQ(chooser.requests[1].mode, FileDialogMode::SaveAs);
    EXPECT_EQ(chooser.requests[0].defaultExtension, "dat");
    EXPECT_EQ(chooser.offered, std::vector<std::string>({"typed-in.dat", "answers.txt"}));
}
