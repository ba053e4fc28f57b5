#include "shell/training_monitor.h"

#include <algorithm>

#include "document/corvina_doc.h"

namespace {

// Over the first passes a point is taken each time the count grows by a quarter.
uint32_t NextEarlyPoint(uint32_t passes)
{
    const uint32_t step = std::max<uint32_t>(1, passes / 4);
    return passes > UINT32_MAX - step ? UINT32_MAX : passes + step;
}

}  // namespace

TrainingMonitor::TrainingMonitor(CCorvinaDoc& doc, QObject* parent) : QObject(parent), document(doc)
{
    sampleTimer.setInterval(SampleMilliseconds);
    connect(&sampleTimer, &QTimer::timeout, this, &TrainingMonitor::Sample);
    document.AddView(this);
    StartHistory();
}

TrainingMonitor::~TrainingMonitor()
{
    document.RemoveView(this);
}

void TrainingMonitor::SetTraining(bool on)
{
    if (on == sampleTimer.isActive())
        return;
    rate.reset();
    if (on) {
        rateClock.start();
        ratePasses = document.GetPassesCount();
        sampleTimer.start();
    } else {
        sampleTimer.stop();
        Sample();
    }
    if (onRateChanged)
        onRateChanged(rate);
}

// A pass adds one comparison; anything else that changes the passes count (a reset, another
// document) starts a new history.
void TrainingMonitor::OnUpdate(CView*, UpdateHint hint)
{
    const uint32_t passes = document.GetPassesCount();
    if (hint == UpdateHint::TrainingPass) {
        seenPasses = passes;
        if (passes >= nextEarlyPoint) {
            AppendCurrent();
            nextEarlyPoint = NextEarlyPoint(passes);
        }
        if (document.LastPassEvaluated())
            AppendEvaluation();
        return;
    }
    if (passes != seenPasses)
        StartHistory();
}

void TrainingMonitor::StartHistory()
{
    curve.Clear();
    const uint32_t passes = document.GetPassesCount();
    AppendCurrent();
    nextEarlyPoint = NextEarlyPoint(passes);
    ratePasses = passes;
    rateClock.restart();
}

void TrainingMonitor::AppendCurrent()
{
    lastPasses = document.GetPassesCount();
    seenPasses = lastPasses;
    curve.Append(TrainingCurve::Series::AverageError,
                 {static_cast<double>(lastPasses), static_cast<double>(document.GetAverageError())});
}

// The evaluation that keeping the best network made at this pass, and where the best stands.
void TrainingMonitor::AppendEvaluation()
{
    const Evaluation* evaluation = document.GetLastEvaluation();
    if (evaluation == nullptr)
        return;
    const auto passes = static_cast<double>(document.GetPassesCount());
    curve.Append(TrainingCurve::Series::EvaluationError, {passes, evaluation->levelError});
    if (evaluation->classFigures)
        curve.Append(TrainingCurve::Series::Accuracy, {passes, evaluation->classFigures->accuracy});
    const BestNetwork& best = document.GetBestNetwork();
    if (best.HasBest())
        curve.SetBest(CurvePoint{static_cast<double>(best.GetPasses()), best.GetEvaluation().levelError});
}

void TrainingMonitor::Sample()
{
    const uint32_t passes = document.GetPassesCount();
    if (passes < lastPasses) {
        StartHistory();
        return;
    }
    seenPasses = passes;
    if (passes != lastPasses)
        AppendCurrent();
    if (sampleTimer.isActive())
        MeasureRate();
}

void TrainingMonitor::MeasureRate()
{
    const qint64 nanoseconds = rateClock.nsecsElapsed();
    if (nanoseconds < RateMilliseconds * 1'000'000)
        return;
    const uint32_t passes = document.GetPassesCount();
    rate = static_cast<double>(passes - ratePasses) * 1e9 / static_cast<double>(nanoseconds);
    ratePasses = passes;
    rateClock.restart();
    if (onRateChanged)
        onRateChanged(rate);
}
