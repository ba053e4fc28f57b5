#pragma once

#include <QGroupBox>

// A group box drawn as a dialog template places it: an etched frame filling the control's
// rectangle, whose top line runs through the middle of the title, the title interrupting it near
// the left end. The controls of the group are the form's, placed over it; it lays out nothing.
class TemplateGroupBox : public QGroupBox {
    Q_OBJECT

public:
    TemplateGroupBox(const QString& title, QWidget* parent);

    // The frame's rectangle: the whole control less the upper half of the title's height.
    QRect FrameRect() const;

    // Where the title stands, with its background cleared, over the frame's top line.
    QRect TitleRect() const;

    // The frame lines' width; controls inside the group keep clear of them.
    static constexpr int LineWidth = 2;

protected:
    void paintEvent(QPaintEvent* event) override;
};
