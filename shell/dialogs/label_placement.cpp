#include "shell/dialogs/label_placement.h"

#include <algorithm>

std::optional<DialogUnitRect> FieldBeside(const DialogUnitRect& label, std::span<const DialogUnitRect> fields)
{
    std::optional<DialogUnitRect> nearest;
    for (const DialogUnitRect& field : fields) {
        const bool rowsOverlap = field.y < label.y + label.height && label.y < field.y + field.height;
        if (rowsOverlap && field.x > label.x && (!nearest || field.x < nearest->x))
            nearest = field;
    }
    return nearest;
}

QRect LabelCentredOn(const QRect& label, const QRect& field, int textHeight)
{
    const int height = std::max(label.height(), textHeight);
    // Twice the middles, so that odd heights round alike on both sides.
    const int top = (field.top() * 2 + field.height() - height) / 2;
    return {label.left(), top, label.width(), height};
}
