#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// One point of a curve: the passes made, and the value measured then.
struct CurvePoint {
    double passes = 0;
    double value = 0;

    bool operator==(const CurvePoint&) const = default;
};

// What a series measures, which decides the axis it is drawn against: errors on the left axis
// from 0 up, fractions (such as accuracy) on the right axis from 0 to 1.
enum class CurveAxis { Error, Fraction };

// A series of points in pass order. Memory stays bounded however long training runs: when
// MaxPoints are held, every other point goes and from then on only every other point offered is
// taken, so the points stay evenly spread over the run.
class CurveSeries {
public:
    static constexpr size_t MaxPoints = 16384;

    void Append(CurvePoint point);
    void Clear();

    std::span<const CurvePoint> Points() const { return points; }
    bool IsEmpty() const { return points.empty(); }

private:
    std::vector<CurvePoint> points;
    // Only every keepEvery-th point offered is kept; it doubles with every thinning.
    uint64_t keepEvery = 1;
    uint64_t offered = 0;
};

// The curves of one training history: the average error against passes, and the series that
// evaluation adds; a marker may stand at the best point. Revision changes with every change, so
// a plot repaints only when there is something new.
class TrainingCurve {
public:
    enum class Series : uint8_t { AverageError, EvaluationError, Accuracy };
    static constexpr size_t SeriesCount = 3;

    // The series' name in the legend, and its axis.
    static std::string_view NameOf(Series which);
    static CurveAxis AxisOf(Series which);

    void Append(Series which, CurvePoint point);
    // Forgets every point and the marker: a new history starts.
    void Clear();

    const CurveSeries& Of(Series which) const { return allSeries[static_cast<size_t>(which)]; }

    void SetBest(std::optional<CurvePoint> point);
    const std::optional<CurvePoint>& Best() const { return best; }

    uint64_t Revision() const { return revision; }

private:
    std::array<CurveSeries, SeriesCount> allSeries;
    std::optional<CurvePoint> best;
    uint64_t revision = 0;
};
