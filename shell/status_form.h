#pragma once

#include <span>

#include "shell/dialogs/dialog_template.h"

// Identifiers of the status form's fields and picture.
inline constexpr int IDC_OUTPUT_COUNT = 1011;
inline constexpr int IDC_LEVELS_COUNT = 1012;
inline constexpr int IDC_INPUT_COUNT = 1013;
inline constexpr int IDC_DATA_STATE = 1014;
inline constexpr int IDC_CURRENT_PASS = 1016;
inline constexpr int IDC_AVERAGE_ERROR = 1017;
inline constexpr int IDC_PATTERNS_COUNT = 1024;
inline constexpr int IDC_DATA_PICTURE = 1026;

// The status form's controls in tab order, in dialog units.
std::span<const ControlRow> StatusFormRows();

// The form's size in dialog units.
inline constexpr int StatusFormWidth = 231;
inline constexpr int StatusFormHeight = 151;
