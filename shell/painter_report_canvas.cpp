#include "shell/painter_report_canvas.h"

#include <QFontMetrics>
#include <QPainter>

int PainterReportCanvas::CharacterHeight() const
{
    return QFontMetrics(painter.font(), painter.device()).height();
}

void PainterReportCanvas::DrawText(int x, int y, const std::string& text)
{
    // QPainter places text on its baseline; the report gives the top of the character cell.
    const int ascent = QFontMetrics(painter.font(), painter.device()).ascent();
    painter.drawText(x, y + ascent, QString::fromStdString(text));
}
