#include <gtest/gtest.h>

#include <string>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QTabWidget>

#include "tests/framework/fakes.h"
#include "tests/support/modal.h"
#include "tests/support/rows.h"
#include "shell/dialogs/about_box.h"
#include "shell/dialogs/consult_dlg.h"
#include "shell/dialogs/dialog_template.h"
#include "shell/dialogs/new_net_dlg.h"
#include "shell/dialogs/report_dlg.h"
#include "shell/dialogs/train_data_dlg.h"

namespace {

std::string Named(const QWidget& control)
{
    auto* label = qobject_cast<const QLabel*>(&control);
    return (label ? label->text() : control.objectName()).toStdString();
}

// Every control lies inside its form, none overlaps another, and no text is cut off.
void ExpectTidyForm(QWidget& form, const char* name)
{
    // The controls placed directly on the form; the pages of a sheet are checked on their own.
    const QList<QWidget*> controls = form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_FALSE(controls.empty()) << name;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QWidget* control = controls[i];
        EXPECT_TRUE(form.rect().contains(control->geometry())) << name << " " << Named(*control);
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(control->geometry().intersects(controls[j]->geometry()))
                << name << ": " << Named(*control) << " overlaps " << Named(*controls[j]);
        }
        if (auto* label = qobject_cast<const QLabel*>(control); label && !label->text().isEmpty()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name << " " << Named(*label);
        }
        if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text().remove('&')), button->width())
                << name << " " << Named(*button);
        }
    }
}

TEST(DialogLayout, EveryFormKeepsItsControlsApartAndWhole)
{
    ScriptedUser chooser;
    CNewNetDlg shape;
    CAboutBox about;
    CTrainDataDlg trainingData(chooser);
    CReportDlg report;
    CConsultDlg sheet("Consult", chooser, nullptr, CConsultDlg::SingularPage);
    for (QWidget* form : std::initializer_list<QWidget*>{&shape, &about, &trainingData, &report, &sheet})
        ExpectTidyForm(*form, form->metaObject()->className());
    sheet.show();
    for (int page = 0; page < sheet.Pages().count(); ++page) {
        sheet.Pages().setCurrentIndex(page);
        QWidget* shown = sheet.Pages().widget(page);
        ExpectTidyForm(*shown, "page");
        // The page fits the sheet's page area whole.
        EXPECT_TRUE(shown->parentWidget()->rect().contains(shown->geometry()));
    }
}

// The shape dialog's labels stand on the rows of their fields, their text centred on them.
struct ShapeLabelRow {
    const char* name;
    int fieldId;
};
PRINTS_AS_NAME(ShapeLabelRow)

class ShapeLabelTest : public testing::TestWithParam<ShapeLabelRow> {};

TEST_P(ShapeLabelTest, LabelIsCentredOnItsField)
{
    CNewNetDlg shape;
    QLabel* label = nullptr;
    for (QLabel* each : shape.findChildren<QLabel*>())
        if (each->text() == GetParam().name)
            label = each;
    ASSERT_NE(label, nullptr);
    const QRect field = shape.findChild<QWidget*>(ControlName(GetParam().fieldId))->geometry();
    EXPECT_TRUE(label->alignment() & Qt::AlignVCenter);
    EXPECT_GE(label->height(), label->fontMetrics().height());
    EXPECT_NEAR(label->geometry().center().y(), field.center().y(), 1);
}

INSTANTIATE_TEST_SUITE_P(ShapeDialog, ShapeLabelTest,
                         testing::Values(ShapeLabelRow{"Layers count", CNewNetDlg::LayersEditId},
                                         ShapeLabelRow{"Input count", CNewNetDlg::InputsEditId},
                                         ShapeLabelRow{"Output count", CNewNetDlg::OutputsEditId}),
                         [](const testing::TestParamInfo<ShapeLabelRow>& label) { return std::to_string(label.param.fieldId); });

}  // namespace
