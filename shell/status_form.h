#pragma once

#include <map>
#include <span>

#include "shell/dialogs/dialog_units.h"

class QWidget;

// The controls of the status form.
enum class FormControlKind { Label, Field, GroupBox, Picture };

// Identifiers of the status form's fields and picture.
inline constexpr int IDC_OUTPUT_COUNT = 1011;
inline constexpr int IDC_LEVELS_COUNT = 1012;
inline constexpr int IDC_INPUT_COUNT = 1013;
inline constexpr int IDC_DATA_STATE = 1014;
inline constexpr int IDC_CURRENT_PASS = 1016;
inline constexpr int IDC_AVERAGE_ERROR = 1017;
inline constexpr int IDC_PATTERNS_COUNT = 1024;
inline constexpr int IDC_DATA_PICTURE = 1026;

// One control of the form, its rectangle in dialog units.
struct FormRow {
    FormControlKind kind;
    int id;  // 0 for labels and group boxes
    const char* text;
    DialogUnitRect rect;
};

// The status form's controls in tab order.
std::span<const FormRow> StatusFormRows();

// The form's size in dialog units.
inline constexpr int StatusFormWidth = 231;
inline constexpr int StatusFormHeight = 151;

// Creates the form's controls as children of owner; returns the fields and the picture by id.
std::map<int, QWidget*> BuildStatusForm(QWidget& owner, const DialogUnits& units);
