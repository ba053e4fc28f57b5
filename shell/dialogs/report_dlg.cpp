#include "shell/dialogs/report_dlg.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

#include "shell/dialogs/dialog_template.h"

namespace {

constexpr ControlRow Template138[] = {
    {ControlKind::ReportText, CReportDlg::TextId, "", {7, 7, 186, 106}},
};

}  // namespace

CReportDlg::CReportDlg(QWidget* parent)
    : QDialog(parent)
{
    SetUpDialogFrame(*this, "One consult report", 200, 120);
    const DialogControls controls = BuildControls(*this, DialogUnits(font()), Template138);
    textEdit = controls.Get<QPlainTextEdit>(TextId);
}

void CReportDlg::SetText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    textEdit->setPlainText(shown);
}

void CReportDlg::keyPressEvent(QKeyEvent* event)
{
    // With no button to press, Enter closes the report as Escape does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
