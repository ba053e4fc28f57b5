#pragma once

#include <string>

// Where the status report is drawn: a printer page, a preview page, or a test's recording.
class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;

    // The character height of the current font, in the canvas's units.
    virtual int CharacterHeight() const = 0;

    // Draws text with the top-left corner of its first character cell at (x, y).
    virtual void DrawText(int x, int y, const std::string& text) = 0;
};
