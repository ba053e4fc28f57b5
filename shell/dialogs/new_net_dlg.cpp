#include "shell/dialogs/new_net_dlg.h"

#include <QLineEdit>
#include <QPushButton>

#include "shell/dialogs/corvina_message_box.h"
#include "shell/dialogs/dialog_template.h"

namespace {

using ShapeRules::Field;

constexpr ControlRow Template130[] = {
    {ControlKind::DefaultButton, 1, "OK", {7, 60, 50, 14}},
    {ControlKind::Button, 2, "Cancel", {80, 60, 50, 14}},
    {ControlKind::Label, StaticId, "Layers count", {7, 7, 48, 9}},
    {ControlKind::Label, StaticId, "Input count", {7, 26, 40, 11}},
    {ControlKind::Label, StaticId, "Output count", {7, 47, 48, 13}},
    {ControlKind::Edit, CNewNetDlg::LayersEditId, "", {78, 7, 50, 13}},
    {ControlKind::Edit, CNewNetDlg::InputsEditId, "", {78, 25, 50, 13}},
    {ControlKind::Edit, CNewNetDlg::OutputsEditId, "", {78, 42, 50, 13}},
};

}  // namespace

CNewNetDlg::CNewNetDlg(QWidget* parent)
    : QDialog(parent)
{
    SetUpDialogFrame(*this, "Create a New Corvina", 137, 87);
    const DialogControls controls = BuildControls(*this, DialogUnits(font()), Template130);
    layersEdit = controls.Get<QLineEdit>(LayersEditId);
    inputsEdit = controls.Get<QLineEdit>(InputsEditId);
    outputsEdit = controls.Get<QLineEdit>(OutputsEditId);
    connect(controls.Get<QPushButton>(1), &QPushButton::clicked, this, &CNewNetDlg::OnOK);
    connect(controls.Get<QPushButton>(2), &QPushButton::clicked, this, &QDialog::reject);
}

void CNewNetDlg::SetFields(const ShapeFields& fields)
{
    shape = fields;
    layersEdit->setText(QString::number(fields.layers));
    inputsEdit->setText(QString::number(fields.inputs));
    outputsEdit->setText(QString::number(fields.outputs));
}

void CNewNetDlg::OnOK()
{
    ShapeFields read;
    if (const auto refusal = ShapeRules::CheckFields(layersEdit->text().toStdString(), inputsEdit->text().toStdString(),
                                                     outputsEdit->text().toStdString(), read.layers, read.inputs,
                                                     read.outputs)) {
        Refuse(*refusal);
        return;
    }
    shape = read;
    accept();
}

QLineEdit* CNewNetDlg::EditOf(Field field) const
{
    switch (field) {
    case Field::Layers:
        return layersEdit;
    case Field::Inputs:
        return inputsEdit;
    case Field::Outputs:
        return outputsEdit;
    }
    return layersEdit;
}

// A field that is no number in range gets the toolkit's field message; a shape that is no
// network, the stop box.
void CNewNetDlg::Refuse(const ShapeRules::Refusal& refusal)
{
    const QString text = QString::fromStdString(refusal.message);
    if (refusal.kind == ShapeRules::Refusal::Kind::FieldText)
        ShowFieldMessage(this, text);
    else
        ShowStopBox(this, text);
    QLineEdit* edit = EditOf(refusal.field);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}
