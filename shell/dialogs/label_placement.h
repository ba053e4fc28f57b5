#pragma once

#include <QRect>
#include <optional>
#include <span>

#include "shell/dialogs/dialog_units.h"

// A template places a label's rectangle from the top of its text, while a field shows its text
// centred in a taller box; a label read across to its field is centred on the field's row.

// The field a label names: the nearest one to its right whose rows overlap the label's.
std::optional<DialogUnitRect> FieldBeside(const DialogUnitRect& label, std::span<const DialogUnitRect> fields);

// The label's rectangle in pixels: its own columns, at least textHeight tall, its middle on the
// field's middle.
QRect LabelCentredOn(const QRect& label, const QRect& field, int textHeight);
