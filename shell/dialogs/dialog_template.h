#pragma once

#include <map>
#include <span>

#include <QString>

#include "shell/dialogs/dialog_units.h"

class QDialog;
class QWidget;

// The kinds of control a dialog template places.
enum class ControlKind {
    DefaultButton,  // the push button that Enter presses
    Button,
    Label,
    Edit,           // one line, scrolls horizontally
    CheckBox,
    List,           // single selection, vertical scroll bar
    Icon,
    ReportText,     // multi-line, read-only, lines not wrapped, vertical scroll bar
};

// Controls without an identifier of their own (labels, icons).
inline constexpr int StaticId = -1;

// One control of a template: its kind, identifier, text and rectangle in dialog units.
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
    template <class T>
    T* Get(int id) const
    {
        const auto found = controls.find(id);
        return found == controls.end() ? nullptr : qobject_cast<T*>(found->second);
    }

private:
    std::map<int, QWidget*> controls;
};

// Creates the rows as children of owner, in tab order, at their rectangles converted by units.
DialogControls BuildControls(QWidget& owner, const DialogUnits& units, std::span<const ControlRow> rows);

// Gives a dialog its font, caption and fixed client size in dialog units.
void SetUpDialogFrame(QDialog& dialog, const char* caption, int width, int height);
