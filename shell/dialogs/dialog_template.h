#pragma once

#include <map>
#include <span>

#include <QString>

#include "shell/dialogs/dialog_units.h"

class QDialog;
class QWidget;

// The kinds of control a template places, on a dialog or on the status form.
enum class ControlKind {
    DefaultButton,  // the push button that Enter presses
    Button,
    Label,          // on the row of a field beside it, centred on that field
    Edit,           // one line, scrolls horizontally
    ReadOnlyEdit,   // the same, showing a value the user cannot change
    CheckBox,
    List,           // single selection, vertical scroll bar
    Picture,        // an icon or bitmap, from the top left corner
    ReportText,     // multi-line, read-only, lines not wrapped, vertical scroll bar
    GroupBox,       // a titled frame around controls that stand over it
};

// Controls without an identifier of their own (labels, group boxes).
inline constexpr int StaticId = -1;

// One control of a template: its kind, identifier, text and rectangle in dialog units. Every
// form and dialog is such a table of rows, built by BuildControls.
struct ControlRow {
    ControlKind kind;
    int id;
    const char* text;
    DialogUnitRect rect;
};

// The objectName of the control with this identifier, "control_<id>".
QString ControlName(int id);

// The controls a template created, by identifier.
class DialogControls {
public:
    void Add(int id, QWidget* control) { controls[id] = control; }

    // The control with this identifier as T; null when there is none or it is another kind.
    template <class T = QWidget>
    T* Get(int id) const
    {
        const auto found = controls.find(id);
        return found == controls.end() ? nullptr : qobject_cast<T*>(found->second);
    }

private:
    std::map<int, QWidget*> controls;
};

// Creates the rows as children of owner, in tab order, at their rectangles converted by units;
// group boxes stand behind the controls they surround.
DialogControls BuildControls(QWidget& owner, const DialogUnits& units, std::span<const ControlRow> rows);

// Gives a dialog its font, caption and fixed client size in dialog units.
void SetUpDialogFrame(QDialog& dialog, const char* caption, int width, int height);
