#include "shell/dialogs/train_data_dlg.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "shell/dialogs/choose_data_file.h"
#include "shell/dialogs/dialog_template.h"

namespace {

constexpr ControlRow Template131[] = {
    {ControlKind::Label, StaticId, "Training data file", {7, 7, 120, 8}},
    {ControlKind::Edit, CTrainDataDlg::PathEditId, "", {7, 17, 170, 13}},
    {ControlKind::Button, CTrainDataDlg::BrowseButtonId, "&...", {181, 17, 18, 13}},
    {ControlKind::CheckBox, CTrainDataDlg::MakeNewTablesBoxId, "&Make new transformation tables", {7, 36, 160, 10}},
    {ControlKind::DefaultButton, 1, "&OK", {93, 56, 50, 14}},
    {ControlKind::Button, 2, "&Cancel", {149, 56, 50, 14}},
};

}  // namespace

CTrainDataDlg::CTrainDataDlg(FileChooser& fileChooser, QWidget* parent)
    : QDialog(parent), chooser(fileChooser)
{
    SetUpDialogFrame(*this, "Training Data", 206, 77);
    const DialogControls controls = BuildControls(*this, DialogUnits(font()), Template131);
    pathEdit = controls.Get<QLineEdit>(PathEditId);
    makeNewTablesBox = controls.Get<QCheckBox>(MakeNewTablesBoxId);
    connect(controls.Get<QPushButton>(BrowseButtonId), &QPushButton::clicked, this, &CTrainDataDlg::OnBrowse);
    connect(controls.Get<QPushButton>(1), &QPushButton::clicked, this, &CTrainDataDlg::OnOK);
    connect(controls.Get<QPushButton>(2), &QPushButton::clicked, this, &QDialog::reject);
    LoadControls();
    pathEdit->setFocus(Qt::OtherFocusReason);
}

void CTrainDataDlg::SetFields(const TrainingDataFields& newFields)
{
    fields = newFields;
    LoadControls();
}

void CTrainDataDlg::OnBrowse()
{
    SaveControls();
    ChooseDataFile(chooser, FileDialogMode::Open, fields.path);
    LoadControls();
}

void CTrainDataDlg::LoadControls()
{
    pathEdit->setText(QFile::decodeName(fields.path.c_str()));
    makeNewTablesBox->setChecked(fields.makeNewTables);
}

void CTrainDataDlg::SaveControls()
{
    fields.path = QFile::encodeName(pathEdit->text()).toStdString();
    fields.makeNewTables = makeNewTablesBox->isChecked();
}

void CTrainDataDlg::OnOK()
{
    SaveControls();
    accept();
}
