#pragma once

#include <QString>
#include <cmath>
#include <vector>

// One axis of a plot: the range of values it shows, linear or logarithmic, mapped onto a span of
// pixels, and the ticks worth a label.
class PlotAxis {
public:
    // A linear axis from 0 to a round value at or above largest.
    static PlotAxis LinearFromZero(double largest);
    // A linear axis over exactly first to last.
    static PlotAxis Linear(double first, double last);
    // A logarithmic axis over the whole decades that hold smallest to largest (both > 0).
    static PlotAxis Logarithmic(double smallest, double largest);

    // Where value lies along pixels from start to end (end may be less than start).
    double ToPixel(double value, double start, double end) const;

    // The values that get a tick and a label.
    std::vector<double> Ticks() const;

    // A short label: 2.5, 400, 12k, 3M.
    static QString Label(double value);

    bool IsLogarithmic() const { return logarithmic; }
    double First() const { return first; }
    double Last() const { return last; }

private:
    PlotAxis(double firstValue, double lastValue, double tickStep, bool isLogarithmic)
        : first(firstValue), last(lastValue), step(tickStep), logarithmic(isLogarithmic),
          span(isLogarithmic ? std::log10(lastValue / firstValue) : lastValue - firstValue)
    {
    }

    double first;
    double last;
    double step;
    bool logarithmic;
    // last - first, in decades on a logarithmic axis.
    double span;
};
