#include "shell/status_form.h"

namespace {

using enum ControlKind;

constexpr ControlRow Template134[] = {
    {Label, StaticId, "Levels count", {14, 18, 48, 9}},
    {ReadOnlyEdit, IDC_LEVELS_COUNT, "", {71, 16, 44, 12}},
    {Label, StaticId, "Input count", {14, 40, 48, 9}},
    {ReadOnlyEdit, IDC_INPUT_COUNT, "", {71, 39, 44, 12}},
    {Label, StaticId, "Output count", {125, 40, 48, 9}},
    {ReadOnlyEdit, IDC_OUTPUT_COUNT, "", {177, 39, 44, 12}},
    {ReadOnlyEdit, IDC_DATA_STATE, "", {24, 76, 199, 13}},
    {GroupBox, StaticId, "Training process", {7, 114, 217, 30}},
    {GroupBox, StaticId, "Neural Network information", {7, 7, 217, 55}},
    {GroupBox, StaticId, "Training Data information", {7, 62, 217, 49}},
    {Label, StaticId, "Current pass", {16, 124, 45, 10}},
    {ReadOnlyEdit, IDC_CURRENT_PASS, "", {74, 124, 44, 12}},
    {Label, StaticId, "Average error", {126, 124, 46, 8}},
    {ReadOnlyEdit, IDC_AVERAGE_ERROR, "", {174, 124, 44, 12}},
    {Label, StaticId, "Patterns count", {13, 95, 47, 8}},
    {ReadOnlyEdit, IDC_PATTERNS_COUNT, "", {83, 94, 44, 12}},
    {Picture, IDC_DATA_PICTURE, "", {12, 78, 15, 13}},
};

}  // namespace

std::span<const ControlRow> StatusFormRows()
{
    return Template134;
}
