#pragma once

#include "shell/report_canvas.h"

class QPainter;

// A report canvas on a QPainter, in its device's units, in the painter's current font.
class PainterReportCanvas : public ReportCanvas {
public:
    explicit PainterReportCanvas(QPainter& target) : painter(target) {}

    int CharacterHeight() const override;
    void DrawText(int x, int y, const std::string& text) override;

private:
    QPainter& painter;
};
