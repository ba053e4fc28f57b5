#pragma once

#include <QPixmap>
#include <QWidget>
#include <cstdint>

class TrainingCurve;

// Draws a training curve: every series that has points against the passes, errors on the left
// axis, fractions on the right one, a marker at the best point, and a legend. The pass axis is
// linear from 0, or logarithmic over the decades the points span.
class CurvePlot : public QWidget {
    Q_OBJECT

public:
    explicit CurvePlot(const TrainingCurve& curve, QWidget* parent = nullptr);

    void SetLogarithmic(bool on);
    bool IsLogarithmic() const { return logarithmic; }

    // Repaints when the curve has changed since the last paint.
    void RefreshIfChanged();

    QSize sizeHint() const override { return {560, 360}; }
    QSize minimumSizeHint() const override { return {240, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TrainingCurve& curve;
    bool logarithmic = false;
    uint64_t paintedRevision = UINT64_MAX;
    // The grid, ticks and labels as last drawn, and what they were drawn for.
    QPixmap paintedFrame;
    QString paintedFrameKey;
};
