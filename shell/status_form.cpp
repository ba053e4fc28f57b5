#include "shell/status_form.h"

#include <QLabel>
#include <QLineEdit>
#include <array>
#include <vector>

#include "shell/dialogs/dialog_template.h"
#include "shell/dialogs/label_placement.h"
#include "shell/dialogs/template_group_box.h"

namespace {

using enum FormControlKind;

const std::array<FormRow, 17> rows = {{
    {Label, 0, "Levels count", {14, 18, 48, 9}},
    {Field, IDC_LEVELS_COUNT, "", {71, 16, 44, 12}},
    {Label, 0, "Input count", {14, 40, 48, 9}},
    {Field, IDC_INPUT_COUNT, "", {71, 39, 44, 12}},
    {Label, 0, "Output count", {125, 40, 48, 9}},
    {Field, IDC_OUTPUT_COUNT, "", {177, 39, 44, 12}},
    {Field, IDC_DATA_STATE, "", {24, 76, 199, 13}},
    {GroupBox, 0, "Training process", {7, 114, 217, 30}},
    {GroupBox, 0, "Neural Network information", {7, 7, 217, 55}},
    {GroupBox, 0, "Training Data information", {7, 62, 217, 49}},
    {Label, 0, "Current pass", {16, 124, 45, 10}},
    {Field, IDC_CURRENT_PASS, "", {74, 124, 44, 12}},
    {Label, 0, "Average error", {126, 124, 46, 8}},
    {Field, IDC_AVERAGE_ERROR, "", {174, 124, 44, 12}},
    {Label, 0, "Patterns count", {13, 95, 47, 8}},
    {Field, IDC_PATTERNS_COUNT, "", {83, 94, 44, 12}},
    {Picture, IDC_DATA_PICTURE, "", {12, 78, 15, 13}},
}};

QWidget* CreateFormControl(QWidget& owner, const FormRow& row)
{
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case Label: {
        auto* label = new QLabel(text, &owner);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case Field: {
        auto* field = new QLineEdit(&owner);
        field->setReadOnly(true);
        return field;
    }
    case GroupBox:
        return new TemplateGroupBox(text, &owner);
    case Picture: {
        auto* picture = new QLabel(&owner);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    }
    return nullptr;
}

// Where a control stands in pixels; a label stands on the row of the field it names.
QRect PlaceControl(const FormRow& row, const DialogUnits& units, const QWidget& control)
{
    if (row.kind != Label)
        return units.ToPixels(row.rect);
    std::vector<DialogUnitRect> fields;
    for (const FormRow& each : rows)
        if (each.kind == Field)
            fields.push_back(each.rect);
    const std::optional<DialogUnitRect> field = FieldBeside(row.rect, fields);
    if (!field)
        return units.ToPixels(row.rect);
    return LabelCentredOn(units.ToPixels(row.rect), units.ToPixels(*field), control.fontMetrics().height());
}

}  // namespace

std::span<const FormRow> StatusFormRows()
{
    return rows;
}

std::map<int, QWidget*> BuildStatusForm(QWidget& owner, const DialogUnits& units)
{
    std::map<int, QWidget*> controls;
    std::vector<QWidget*> groups;
    for (const FormRow& row : rows) {
        QWidget* control = CreateFormControl(owner, row);
        control->setGeometry(PlaceControl(row, units, *control));
        if (row.id != 0) {
            control->setObjectName(ControlName(row.id));
            controls[row.id] = control;
        }
        if (row.kind == GroupBox)
            groups.push_back(control);
    }
    // Group frames stand behind the controls they surround, whatever their place in tab order.
    for (QWidget* group : groups)
        group->lower();
    return controls;
}
