#include "shell/dialogs/consult_one_page.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "shell/dialogs/consult_page_size.h"
#include "shell/dialogs/corvina_message_box.h"
#include "shell/dialogs/dialog_template.h"
#include "shell/dialogs/number_exchange.h"

namespace {

constexpr ControlRow Template132[] = {
    {ControlKind::Label, StaticId, "Inputs", {7, 7, 60, 8}},
    {ControlKind::List, CConsultOnePage::InputsListId, "", {7, 17, 110, 84}},
    {ControlKind::Label, StaticId, "Value", {126, 17, 60, 8}},
    {ControlKind::Edit, CConsultOnePage::ValueEditId, "", {126, 27, 74, 13}},
};

}  // namespace

CConsultOnePage::CConsultOnePage(QWidget* parent)
    : QWidget(parent)
{
    setFont(DialogFont());
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(ConsultPageWidth, ConsultPageHeight));
    const DialogControls controls = BuildControls(*this, units, Template132);
    inputsList = controls.Get<QListWidget>(InputsListId);
    valueEdit = controls.Get<QLineEdit>(ValueEditId);
    connect(inputsList, &QListWidget::currentRowChanged, this, &CConsultOnePage::OnSelchangeInputs);
    // textEdited comes from the user's changes only, never from LoadControls.
    connect(valueEdit, &QLineEdit::textEdited, this, &CConsultOnePage::OnChangeValue);
    LoadControls();
}

void CConsultOnePage::SetValues(int newCount, double* newValues)
{
    count = newCount;
    values = newValues;
    const QSignalBlocker blocker(inputsList);
    inputsList->clear();
    for (int i = 0; i < count; ++i)
        inputsList->addItem(FormatFixed(values[i]));
    if (count > 0)
        inputsList->setCurrentRow(0);
}

void CConsultOnePage::SetValue(double number)
{
    value = number;
    LoadControls();
}

double CConsultOnePage::GetItemValue(int index) const
{
    const QListWidgetItem* item = inputsList->item(index);
    return item ? LeadingReal(item->text()) : 0.0;
}

void CConsultOnePage::ReplaceSelectedItem(double number)
{
    const int index = inputsList->currentRow();
    if (QListWidgetItem* item = inputsList->item(index))
        item->setText(FormatFixed(number));
}

void CConsultOnePage::LoadControls()
{
    valueEdit->setText(FormatReal(value));
}

bool CConsultOnePage::SaveControls()
{
    if (ParseReal(valueEdit->text(), value))
        return true;
    ShowFieldMessage(OwnerWindow(window()), QStringLiteral("Please enter a number."));
    valueEdit->setFocus(Qt::OtherFocusReason);
    valueEdit->selectAll();
    return false;
}

void CConsultOnePage::OnOK()
{
    for (int i = 0; i < count; ++i)
        values[i] = GetItemValue(i);
}

void CConsultOnePage::OnSelchangeInputs()
{
    const int index = inputsList->currentRow();
    if (index < 0)
        return;
    value = GetItemValue(index);
    LoadControls();
}

void CConsultOnePage::OnChangeValue()
{
    // A refused text leaves value as it was, and the item is rewritten with that value.
    SaveControls();
    ReplaceSelectedItem(value);
}
