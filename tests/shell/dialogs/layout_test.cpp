#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>

#include "qt_printing.h"
#include "scripted_chooser.h"
#include "shell/dialogs/about_box.h"
#include "shell/dialogs/consult_dlg.h"
#include "shell/dialogs/new_net_dlg.h"
#include "shell/dialogs/report_dlg.h"
#include "shell/dialogs/train_data_dlg.h"

namespace {

// The controls placed directly on a form: its child widgets, the pages of a sheet excluded.
std::vector<QWidget*> PlacedControls(QWidget& form)
{
    std::vector<QWidget*> controls;
    for (QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        controls.push_back(child);
    return controls;
}

std::string Named(const QWidget& control)
{
    if (auto* label = qobject_cast<const QLabel*>(&control))
        return label->text().toStdString();
    return control.objectName().toStdString();
}

// Every control lies inside its form, none overlaps another, and no text is cut off.
void ExpectTidyForm(QWidget& form, const char* name)
{
    const std::vector<QWidget*> controls = PlacedControls(form);
    ASSERT_FALSE(controls.empty()) << name;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QWidget* control = controls[i];
        EXPECT_TRUE(form.rect().contains(control->geometry())) << name << " " << Named(*control);
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
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

}  // namespace

TEST(DialogLayout, EveryFormKeepsItsControlsApartAndWhole)
{
    ScriptedChooser chooser;
    CNewNetDlg shape;
    ExpectTidyForm(shape, "shape");
    CAboutBox about;
    ExpectTidyForm(about, "about");
    CTrainDataDlg trainingData(chooser);
    ExpectTidyForm(trainingData, "training data");
    CReportDlg report;
    ExpectTidyForm(report, "report");
    CConsultDlg sheet("Consult", chooser, nullptr, CConsultDlg::SingularPage);
    ExpectTidyForm(sheet, "sheet");
    sheet.show();
    for (int page = 0; page < sheet.Pages().count(); ++page) {
        sheet.Pages().setCurrentIndex(page);
        QWidget* shown = sheet.Pages().widget(page);
        ExpectTidyForm(*shown, "page");
        // The page fits the sheet's page area whole.
        EXPECT_GE(shown->parentWidget()->height(), shown->height());
        EXPECT_GE(shown->parentWidget()->width(), shown->width());
    }
}

TEST(DialogLayout, ControlsAreNamedAfterTheirTemplateIdentifiers)
{
    ScriptedChooser chooser;
    CNewNetDlg shape;
    for (const char* name : {"control_1", "control_2", "control_1000", "control_1001", "control_1002"})
        EXPECT_NE(shape.findChild<QWidget*>(name), nullptr) << name;
    CTrainDataDlg trainingData(chooser);
    for (const char* name : {"control_1", "control_2", "control_1003", "control_1010", "control_1019"})
        EXPECT_NE(trainingData.findChild<QWidget*>(name), nullptr) << name;
    CConsultDlg sheet("Consult", chooser, nullptr, CConsultDlg::SingularPage);
    for (const char* name : {"control_1", "control_2", "control_1007", "control_1020", "control_1009",
                             "control_1010", "control_1004", "control_1005"})
        EXPECT_NE(sheet.findChild<QWidget*>(name), nullptr) << name;
    // The fields follow each other in the template's tab order.
    EXPECT_EQ(shape.findChild<QWidget*>("control_1000")->nextInFocusChain(),
              shape.findChild<QWidget*>("control_1001"));
}
