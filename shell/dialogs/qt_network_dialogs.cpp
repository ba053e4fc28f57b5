#include "shell/dialogs/qt_network_dialogs.h"

#include "shell/dialogs/consult_dlg.h"
#include "shell/dialogs/consult_file_page.h"
#include "shell/dialogs/consult_one_page.h"
#include "shell/dialogs/corvina_message_box.h"
#include "shell/dialogs/new_net_dlg.h"
#include "shell/dialogs/report_dlg.h"
#include "shell/dialogs/train_data_dlg.h"

bool QtNetworkDialogs::RunShapeDialog(ShapeFields& fields)
{
    CNewNetDlg dialog(Owner());
    dialog.SetFields(fields);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    fields = dialog.Fields();
    return true;
}

bool QtNetworkDialogs::RunTrainingDataDialog(TrainingDataFields& fields)
{
    CTrainDataDlg dialog(files, Owner());
    dialog.SetFields(fields);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    fields = dialog.Fields();
    return true;
}

ConsultOutcome QtNetworkDialogs::RunConsultSheet(ConsultFields& fields)
{
    CConsultDlg sheet(QStringLiteral("Consult"), files, Owner(), CConsultDlg::SingularPage);
    const auto count = static_cast<int>(fields.values.size());
    sheet.OnePage().SetValues(count, fields.values.data());
    sheet.OnePage().SetValue(count > 0 ? fields.values[0] : 0.0);
    sheet.FilePage().SetPaths(fields.inputPath, fields.outputPath);
    const bool accepted = sheet.exec() == QDialog::Accepted;
    // The paths go back whatever closed the sheet; the page rewrites the values on OK only.
    fields.inputPath = sheet.FilePage().InputPath();
    fields.outputPath = sheet.FilePage().OutputPath();
    const auto page = sheet.ActivePage() == CConsultDlg::PluralPage ? ConsultPage::Plural : ConsultPage::Singular;
    return {accepted, page};
}

void QtNetworkDialogs::ShowReport(const std::string& text)
{
    CReportDlg report(Owner());
    report.SetText(text);
    report.exec();
}

QWidget* QtNetworkDialogs::Owner() const
{
    return OwnerWindow(parentWindow);
}
