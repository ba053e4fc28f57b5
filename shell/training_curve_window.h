#pragma once

#include <QTimer>
#include <QWidget>

class CurvePlot;
class QCheckBox;
class TrainingCurve;

// "Training Curve": a window of its own beside the main frame, not modal and resizable, that
// shows the training curve while it is open. It repaints at screen pace from a timer, never
// for each pass, and only when the curve has changed. Its place, size and axis choice are kept
// in the per-user settings.
class TrainingCurveWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int RefreshMilliseconds = 50;

    TrainingCurveWindow(const TrainingCurve& curve, QWidget* mainFrame);

    // Shows the window where it was last, or beside the main frame the first time.
    void ShowBesideFrame();

    CurvePlot* Plot() const { return plot; }
    QCheckBox* LogarithmicBox() const { return logarithmicBox; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void RememberGeometry() const;

    CurvePlot* plot = nullptr;
    QCheckBox* logarithmicBox = nullptr;
    QTimer refreshTimer;
};
