#include <gtest/gtest.h>

#include <vector>

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

#include "modal_driver.h"
#include "scripted_chooser.h"
#include "shell/dialogs/consult_dlg.h"
#include "shell/dialogs/consult_file_page.h"
#include "shell/dialogs/consult_one_page.h"
#include "shell/dialogs/qt_network_dialogs.h"

namespace {

// A sheet as the Consult command opens it, over values and two paths.
class ConsultSheet : public testing::Test {
protected:
    void Open(std::vector<double> initial)
    {
        values = std::move(initial);
        sheet = std::make_unique<CConsultDlg>("Consult", chooser, nullptr, CConsultDlg::SingularPage);
        sheet->OnePage().SetValues(static_cast<int>(values.size()), values.data());
        sheet->OnePage().SetValue(values[0]);
        sheet->FilePage().SetPaths("in.dat", "out.dat");
        sheet->show();
    }

    QListWidget& List() { return *Control<QListWidget>(*sheet, CConsultOnePage::InputsListId); }
    QLineEdit& ValueField() { return *Control<QLineEdit>(*sheet, CConsultOnePage::ValueEditId); }

    QStringList Items()
    {
        QStringList texts;
        for (int i = 0; i < List().count(); ++i)
            texts << List().item(i)->text();
        return texts;
    }

    // Selects a row as the user does, by clicking on it.
    void SelectItem(int row)
    {
        QListWidget& list = List();
        const QRect place = list.visualItemRect(list.item(row));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place.center());
    }

    // Replaces the Value field's text by typing it, one keystroke at a time.
    void TypeValue(const QString& text)
    {
        ValueField().selectAll();
        QTest::keyClicks(&ValueField(), text);
    }

    ScriptedChooser chooser;
    std::vector<double> values;
    std::unique_ptr<CConsultDlg> sheet;
};

}  // namespace

TEST_F(ConsultSheet, OpensOnSingularWithOneFixedItemPerInput)
{
    Open({0.0, 0.0, 0.0, 0.0});
    EXPECT_EQ(sheet->windowTitle(), "Consult");
    EXPECT_EQ(sheet->Pages().currentIndex(), CConsultDlg::SingularPage);
    EXPECT_EQ(sheet->Pages().tabText(0), "Singular");
    EXPECT_EQ(sheet->Pages().tabText(1), "Plural");
    EXPECT_EQ(Items(), QStringList({"0.000000", "0.000000", "0.000000", "0.000000"}));
    EXPECT_EQ(List().currentRow(), 0);
    EXPECT_EQ(ValueField().text(), "0");
}

TEST_F(ConsultSheet, SelectingAnItemShowsItsValueAndTypingRewritesIt)
{
    Open({0.25, 1.0 / 3.0, -2.0, 1e6});
    EXPECT_EQ(ValueField().text(), "0.25");
    EXPECT_EQ(Items(), QStringList({"0.250000", "0.333333", "-2.000000", "1000000.000000"}));

    SelectItem(1);
    // The field shows what the item says, not the value behind it.
    EXPECT_EQ(ValueField().text(), "0.333333");

    SelectItem(2);
    TypeValue("1.5");
    EXPECT_EQ(List().item(2)->text(), "1.500000");
    EXPECT_EQ(List().currentRow(), 2);
    TypeValue("0.1234567");
    EXPECT_EQ(List().item(2)->text(), "0.123457");
    // Nothing reaches the values before OK.
    EXPECT_EQ(values[2], -2.0);
}

TEST_F(ConsultSheet, EveryKeystrokeIsValidatedAndARefusedTextKeepsTheValue)
{
    Open({4.0, 0.0});
    SeenBox cleared;
    PressOnNextBox(cleared, QMessageBox::Ok);
    ValueField().selectAll();
    QTest::keyClick(&ValueField(), Qt::Key_Backspace);
    ASSERT_TRUE(cleared.shown);
    EXPECT_EQ(cleared.text, "Please enter a number.");
    EXPECT_EQ(cleared.title, "Corvina");
    EXPECT_EQ(cleared.buttons, QMessageBox::Ok);
    EXPECT_EQ(List().item(0)->text(), "4.000000");
    EXPECT_EQ(ValueField().text(), "");
    EXPECT_EQ(sheet->focusWidget(), &ValueField());

    // A lone sign is not a number yet either; the next digit makes one.
    SeenBox sign;
    PressOnNextBox(sign, QMessageBox::Ok);
    QTest::keyClick(&ValueField(), Qt::Key_Minus);
    ASSERT_TRUE(sign.shown);
    EXPECT_EQ(ValueField().selectedText(), "-");
    EXPECT_EQ(List().item(0)->text(), "4.000000");
    ValueField().end(false);
    QTest::keyClick(&ValueField(), Qt::Key_7);
    EXPECT_EQ(ValueField().text(), "-7");
    EXPECT_EQ(List().item(0)->text(), "-7.000000");
    EXPECT_DOUBLE_EQ(sheet->OnePage().Value(), -7.0);
}

TEST_F(ConsultSheet, AFieldThatIsNotANumberKeepsTheUserOnThePage)
{
    Open({1.0, 2.0});
    ValueField().setText("abc");

    SeenBox leaving;
    PressOnNextBox(leaving, QMessageBox::Ok);
    sheet->Pages().setCurrentIndex(CConsultDlg::PluralPage);
    ASSERT_TRUE(leaving.shown);
    EXPECT_EQ(leaving.text, "Please enter a number.");
    EXPECT_EQ(sheet->Pages().currentIndex(), CConsultDlg::SingularPage);

    SeenBox confirming;
    PressOnNextBox(confirming, QMessageBox::Ok);
    Click(*sheet, 1);
    ASSERT_TRUE(confirming.shown);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(values, std::vector<double>({1.0, 2.0}));
}

TEST_F(ConsultSheet, OkWritesTheListBackOnEitherPage)
{
    for (const int page : {CConsultDlg::SingularPage, CConsultDlg::PluralPage}) {
        Open({0.0, 0.0, 0.0});
        SelectItem(2);
        TypeValue("2.5");
        sheet->Pages().setCurrentIndex(page);
        Click(*sheet, 1);
        EXPECT_EQ(sheet->result(), QDialog::Accepted);
        EXPECT_EQ(sheet->ActivePage(), page);
        EXPECT_EQ(values, std::vector<double>({0.0, 0.0, 2.5}));
    }
}

TEST_F(ConsultSheet, ValuesTravelThroughTheListsSixDecimals)
{
    Open({0.0, 0.0});
    TypeValue("0.0000004");
    SelectItem(1);
    TypeValue("1.23456789");
    Click(*sheet, 1);
    EXPECT_EQ(values, std::vector<double>({0.0, 1.234568}));
}

namespace {

// The Consult sheet run through the network dialogs, as the document runs it.
class ConsultRun : public testing::Test {
protected:
    ConsultOutcome Run(std::function<void(CConsultDlg&)> script)
    {
        fields.count = static_cast<int32_t>(values.size());
        fields.values = values.data();
        OnNextModal([script](QWidget& window) {
            auto* sheet = qobject_cast<CConsultDlg*>(&window);
            ASSERT_NE(sheet, nullptr);
            script(*sheet);
        });
        return dialogs.RunConsultSheet(fields);
    }

    static void TypeInto(CConsultDlg& sheet, int id, const QString& text)
    {
        Control<QLineEdit>(sheet, id)->setText(text);
    }

    ScriptedChooser chooser;
    QtNetworkDialogs dialogs{chooser, nullptr};
    std::vector<double> values{1.0, 2.0};
    ConsultFields fields{0, nullptr, "old-in.dat", "old-out.dat"};
};

}  // namespace

TEST_F(ConsultRun, CancelKeepsTheValuesButTakesThePathsLastExchanged)
{
    const ConsultOutcome outcome = Run([](CConsultDlg& sheet) {
        Control<QLineEdit>(sheet, CConsultOnePage::ValueEditId)->selectAll();
        QTest::keyClicks(Control<QLineEdit>(sheet, CConsultOnePage::ValueEditId), "9");
        sheet.Pages().setCurrentIndex(CConsultDlg::PluralPage);
        TypeInto(sheet, CConsultFilePage::InputPathEditId, "rows.txt");
        TypeInto(sheet, CConsultFilePage::OutputPathEditId, "answers.txt");
        // Leaving the page exchanges its fields.
        sheet.Pages().setCurrentIndex(CConsultDlg::SingularPage);
        Click(sheet, 2);
    });
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.activePage, ConsultPage::Singular);
    EXPECT_EQ(values, std::vector<double>({1.0, 2.0}));
    EXPECT_EQ(fields.inputPath, "rows.txt");
    EXPECT_EQ(fields.outputPath, "answers.txt");
}

TEST_F(ConsultRun, EscapeOnThePluralPageKeepsThePathsOfTheLastExchange)
{
    const ConsultOutcome outcome = Run([](CConsultDlg& sheet) {
        sheet.Pages().setCurrentIndex(CConsultDlg::PluralPage);
        TypeInto(sheet, CConsultFilePage::InputPathEditId, "typed-but-not-exchanged.txt");
        QTest::keyClick(&sheet, Qt::Key_Escape);
    });
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.activePage, ConsultPage::Plural);
    EXPECT_EQ(fields.inputPath, "old-in.dat");
    EXPECT_EQ(fields.outputPath, "old-out.dat");
}

TEST_F(ConsultRun, OkOnThePluralPageWritesValuesBackAndReportsThePage)
{
    const ConsultOutcome outcome = Run([](CConsultDlg& sheet) {
        auto* list = Control<QListWidget>(sheet, CConsultOnePage::InputsListId);
        list->setCurrentRow(1);
        QTest::keyClicks(Control<QLineEdit>(sheet, CConsultOnePage::ValueEditId), "5");
        sheet.Pages().setCurrentIndex(CConsultDlg::PluralPage);
        TypeInto(sheet, CConsultFilePage::OutputPathEditId, "answers.txt");
        Click(sheet, 1);
    });
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.activePage, ConsultPage::Plural);
    EXPECT_EQ(values, std::vector<double>({1.0, 25.0}));
    EXPECT_EQ(fields.inputPath, "old-in.dat");
    EXPECT_EQ(fields.outputPath, "answers.txt");
}

TEST_F(ConsultRun, BrowseButtonsOfferTheFieldAndShowTheChosenFile)
{
    chooser.answers = {std::string("/data/rows.dat"), std::nullopt};
    std::string shownInput;
    std::string shownOutput;
    const ConsultOutcome outcome = Run([&](CConsultDlg& sheet) {
        sheet.Pages().setCurrentIndex(CConsultDlg::PluralPage);
        TypeInto(sheet, CConsultFilePage::InputPathEditId, "typed-in.dat");
        TypeInto(sheet, CConsultFilePage::OutputPathEditId, "typed-out.dat");
        Click(sheet, CConsultFilePage::BrowseInputId);
        Click(sheet, CConsultFilePage::BrowseOutputId);
        shownInput = Control<QLineEdit>(sheet, CConsultFilePage::InputPathEditId)->text().toStdString();
        shownOutput = Control<QLineEdit>(sheet, CConsultFilePage::OutputPathEditId)->text().toStdString();
        Click(sheet, 2);
    });
    EXPECT_FALSE(outcome.accepted);
    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_EQ(chooser.requests[0].mode, FileDialogMode::Open);
    EXPECT_EQ(chooser.requests[1].mode, FileDialogMode::SaveAs);
    EXPECT_EQ(chooser.requests[0].defaultExtension, "dat");
    EXPECT_EQ(chooser.offeredPaths, std::vector<std::string>({"typed-in.dat", "typed-out.dat"}));
    EXPECT_EQ(shownInput, "/data/rows.dat");
    // A cancelled chooser leaves the field as the user typed it.
    EXPECT_EQ(shownOutput, "typed-out.dat");
    EXPECT_EQ(fields.inputPath, "/data/rows.dat");
    EXPECT_EQ(fields.outputPath, "typed-out.dat");
}
