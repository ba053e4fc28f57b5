#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>

#include "framework/view.h"
#include "shell/training_curve.h"

class CCorvinaDoc;

// Watches training from beside the document's views: it draws the training curve of the
// document's history in this session and measures the passes per second. A pass costs it one
// comparison; the curve takes points at widening intervals over the first passes, so a
// logarithmic axis shows them, and then at screen pace from a timer while training is on.
class TrainingMonitor : public QObject, public CView {
    Q_OBJECT

public:
    // How often the curve takes a point and the rate is looked at while training.
    static constexpr int SampleMilliseconds = 40;
    // How long the passes are counted for one figure of the rate.
    static constexpr qint64 RateMilliseconds = 500;

    explicit TrainingMonitor(CCorvinaDoc& document, QObject* parent = nullptr);
    ~TrainingMonitor() override;

    // Training was switched on or off.
    void SetTraining(bool on);

    void OnUpdate(CView* sender, UpdateHint hint) override;

    const TrainingCurve& Curve() const { return curve; }
    TrainingCurve& Curve() { return curve; }

    // Passes per second over the last measuring interval, while training is on.
    std::optional<double> Rate() const { return rate; }

    // Called when the rate is measured anew, and with none when training stops.
    std::function<void(std::optional<double>)> onRateChanged;

private:
    void Sample();
    void StartHistory();
    void AppendCurrent();
    void AppendEvaluation();
    void MeasureRate();

    CCorvinaDoc& document;
    TrainingCurve curve;
    QTimer sampleTimer;
    // The early points: the next passes count that gets one.
    uint32_t nextEarlyPoint = 1;
    // The passes count of the curve's last point.
    uint32_t lastPasses = 0;
    // The passes count as last seen, to tell a new history from the same one.
    uint32_t seenPasses = 0;
    QElapsedTimer rateClock;
    uint32_t ratePasses = 0;
    std::optional<double> rate;
};
