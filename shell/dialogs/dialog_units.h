#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// A rectangle in dialog units: a quarter of the dialog font's average character width
// horizontally, an eighth of its height vertically.
struct DialogUnitRect {
    int x;
    int y;
    int width;
    int height;
};

// Converts dialog units to pixels for one dialog font. Every form and dialog lays out its
// controls through this, so they all scale with the font alike.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int ToPixelsX(int units) const { return (units * baseWidth + 2) / 4; }
    int ToPixelsY(int units) const { return (units * baseHeight + 4) / 8; }
    QRect ToPixels(const DialogUnitRect& rect) const;
    QSize ToPixels(int width, int height) const { return {ToPixelsX(width), ToPixelsY(height)}; }

    int BaseWidth() const { return baseWidth; }
    int BaseHeight() const { return baseHeight; }

private:
    int baseWidth;
    int baseHeight;
};

// The font every form and dialog is laid out in.
QFont DialogFont();
