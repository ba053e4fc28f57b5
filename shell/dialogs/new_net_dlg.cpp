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

uint32_t& CountOf(ShapeFields& fields, Field field)
{
    switch (field) {
    case Field::Layers:
        return fields.layers;
    case Field::Inputs:
        return fields.inputs;
    case Field::Outputs:
        return fields.outputs;
    }
    return fields.layers;
}

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
    // The fields are read in this order, each checked at once, so the first bad one is named.
    constexpr Field order[] = {Field::Inputs, Field::Outputs, Field::Layers};
    ShapeFields read;
    for (const Field field : order) {
        const std::string text = EditOf(field)->text().toStdString();
        if (auto refusal = ShapeRules::ParseCount(text, field, CountOf(read, field))) {
            Refuse(*refusal, Box::FieldMessage);
            return;
        }
    }
    if (auto refusal = ShapeRules::CheckShape(read.layers, read.inputs, read.outputs)) {
        Refuse(*refusal, Box::Stop);
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

void CNewNetDlg::Refuse(const ShapeRules::Refusal& refusal, Box box)
{
    const QString text = QString::fromStdString(refusal.message);
    if (box == Box::FieldMessage)
        ShowFieldMessage(this, text);
    else
        ShowStopBox(this, text);
    QLineEdit* edit = EditOf(refusal.field);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}
