#include "shell/dialogs/template_group_box.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace {

// Blank pixels on either side of the title, where the frame line stops.
constexpr int TitlePadding = 2;

}  // namespace

TemplateGroupBox::TemplateGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

QRect TemplateGroupBox::FrameRect() const
{
    return rect().adjusted(0, fontMetrics().height() / 2, 0, 0);
}

QRect TemplateGroupBox::TitleRect() const
{
    const QFontMetrics metrics = fontMetrics();
    const int width = metrics.horizontalAdvance(title()) + 2 * TitlePadding;
    // The title starts about one character in from the frame's left line.
    return {metrics.averageCharWidth(), 0, width, metrics.height()};
}

void TemplateGroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // An etched rectangle: a dark line with a light one beside it, each one pixel wide.
    qDrawShadeRect(&painter, FrameRect(), palette(), true, LineWidth / 2, 0, nullptr);
    const QRect titleRect = TitleRect();
    painter.fillRect(titleRect, palette().window());
    style()->drawItemText(&painter, titleRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                          title(), QPalette::WindowText);
}
