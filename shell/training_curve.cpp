#include "shell/training_curve.h"

void CurveSeries::Append(CurvePoint point)
{
    if (offered++ % keepEvery != 0)
        return;
    if (points.size() == MaxPoints) {
        size_t kept = 0;
        for (size_t index = 0; index < points.size(); index += 2)
            points[kept++] = points[index];
        points.resize(kept);
        keepEvery *= 2;
    }
    points.push_back(point);
}

void CurveSeries::Clear()
{
    points.clear();
    keepEvery = 1;
    offered = 0;
}

std::string_view TrainingCurve::NameOf(Series which)
{
    switch (which) {
    case Series::AverageError:
        return "Average error";
    case Series::EvaluationError:
        return "Evaluation error";
    case Series::Accuracy:
        return "Accuracy";
    }
    return "";
}

CurveAxis TrainingCurve::AxisOf(Series which)
{
    return which == Series::Accuracy ? CurveAxis::Fraction : CurveAxis::Error;
}

void TrainingCurve::Append(Series which, CurvePoint point)
{
    allSeries[static_cast<size_t>(which)].Append(point);
    ++revision;
}

void TrainingCurve::Clear()
{
    for (CurveSeries& each : allSeries)
        each.Clear();
    best.reset();
    ++revision;
}

void TrainingCurve::SetBest(std::optional<CurvePoint> point)
{
    best = point;
    ++revision;
}
