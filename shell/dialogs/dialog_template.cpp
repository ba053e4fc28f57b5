#include "shell/dialogs/dialog_template.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <vector>

#include "shell/dialogs/label_placement.h"
#include "shell/dialogs/template_group_box.h"

namespace {

// Windows edit controls put a tab stop every 32 dialog units.
constexpr int TabStopUnits = 32;

QWidget* CreateLabel(QWidget& owner, const ControlRow& row)
{
    auto* label = new QLabel(QString::fromUtf8(row.text), &owner);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* CreateButton(QWidget& owner, const ControlRow& row)
{
    auto* button = new QPushButton(QString::fromUtf8(row.text), &owner);
    button->setDefault(row.kind == ControlKind::DefaultButton);
    return button;
}

QWidget* CreateEdit(QWidget& owner, const ControlRow& row)
{
    auto* edit = new QLineEdit(&owner);
    edit->setReadOnly(row.kind == ControlKind::ReadOnlyEdit);
    return edit;
}

QWidget* CreatePicture(QWidget& owner)
{
    auto* picture = new QLabel(&owner);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

QWidget* CreateList(QWidget& owner)
{
    auto* list = new QListWidget(&owner);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

QWidget* CreateReportText(QWidget& owner, const DialogUnits& units)
{
    auto* text = new QPlainTextEdit(&owner);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setTabStopDistance(units.ToPixelsX(TabStopUnits));
    return text;
}

QWidget* CreateControl(QWidget& owner, const DialogUnits& units, const ControlRow& row)
{
    switch (row.kind) {
    case ControlKind::DefaultButton:
    case ControlKind::Button:
        return CreateButton(owner, row);
    case ControlKind::Label:
        return CreateLabel(owner, row);
    case ControlKind::Edit:
    case ControlKind::ReadOnlyEdit:
        return CreateEdit(owner, row);
    case ControlKind::CheckBox:
        return new QCheckBox(QString::fromUtf8(row.text), &owner);
    case ControlKind::List:
        return CreateList(owner);
    case ControlKind::Picture:
        return CreatePicture(owner);
    case ControlKind::ReportText:
        return CreateReportText(owner, units);
    case ControlKind::GroupBox:
        return new TemplateGroupBox(QString::fromUtf8(row.text), &owner);
    }
    return nullptr;
}

// Where a control stands in pixels; a label on the row of an edit field is centred on it.
QRect PlaceControl(const ControlRow& row, std::span<const ControlRow> rows, const DialogUnits& units,
                   QWidget& control)
{
    if (row.kind != ControlKind::Label)
        return units.ToPixels(row.rect);
    std::vector<DialogUnitRect> fields;
    for (const ControlRow& each : rows)
        if (each.kind == ControlKind::Edit || each.kind == ControlKind::ReadOnlyEdit)
            fields.push_back(each.rect);
    const std::optional<DialogUnitRect> field = FieldBeside(row.rect, fields);
    if (!field)
        return units.ToPixels(row.rect);
    static_cast<QLabel&>(control).setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return LabelCentredOn(units.ToPixels(row.rect), units.ToPixels(*field), control.fontMetrics().height());
}

}  // namespace

QString ControlName(int id)
{
    return QStringLiteral("control_%1").arg(id);
}

DialogControls BuildControls(QWidget& owner, const DialogUnits& units, std::span<const ControlRow> rows)
{
    DialogControls controls;
    std::vector<QWidget*> groups;
    for (const ControlRow& row : rows) {
        QWidget* control = CreateControl(owner, units, row);
        control->setGeometry(PlaceControl(row, rows, units, *control));
        if (row.id != StaticId) {
            control->setObjectName(ControlName(row.id));
            controls.Add(row.id, control);
        }
        if (row.kind == ControlKind::GroupBox)
            groups.push_back(control);
    }
    // Group frames stand behind the controls they surround, whatever their place in tab order.
    for (QWidget* group : groups)
        group->lower();
    return controls;
}

void SetUpDialogFrame(QDialog& dialog, const char* caption, int width, int height)
{
    dialog.setFont(DialogFont());
    dialog.setWindowTitle(QString::fromUtf8(caption));
    dialog.setFixedSize(DialogUnits(DialogFont()).ToPixels(width, height));
}
