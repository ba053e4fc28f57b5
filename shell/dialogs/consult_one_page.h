#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

// The "Singular" page of the "Consult" sheet: one list item per input value, and the Value
// field that edits the selected item. The list is written back into the values on OK.
class CConsultOnePage : public QWidget {
    Q_OBJECT

public:
    static constexpr int InputsListId = 1007;
    static constexpr int ValueEditId = 1020;

    explicit CConsultOnePage(QWidget* parent = nullptr);

    // The count values the page lists and writes back on OK; they are not copied.
    void SetValues(int count, double* values);

    // The Value field's number, shown at once.
    void SetValue(double number);
    double Value() const { return value; }

    // The value an item's text stands for: its leading number, 0 when there is none.
    double GetItemValue(int index) const;

    // Rewrites the selected item with number.
    void ReplaceSelectedItem(double number);

    // Shows value in the Value field.
    void LoadControls();

    // Reads the Value field into value; a text that is not a number is refused with a message,
    // its text selected, value unchanged and false returned.
    bool SaveControls();

    // Writes every item back into the values.
    void OnOK();

private:
    void OnSelchangeInputs();
    void OnChangeValue();

    QListWidget* inputsList = nullptr;
    QLineEdit* valueEdit = nullptr;
    double value = 0.0;
    double* values = nullptr;
    int count = 0;
};
