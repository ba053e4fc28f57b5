#include "shell/dialogs/dialog_units.h"

#include <QApplication>
#include <QFontMetrics>

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average width is taken over the 52 letters and rounded to the nearest pixel.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth = (letters / 26 + 1) / 2;
    baseHeight = metrics.height();
}

QRect DialogUnits::ToPixels(const DialogUnitRect& rect) const
{
    return {ToPixelsX(rect.x), ToPixelsY(rect.y), ToPixelsX(rect.width), ToPixelsY(rect.height)};
}

QFont DialogFont()
{
    QFont font = QApplication::font();
    font.setPointSize(8);
    return font;
}
