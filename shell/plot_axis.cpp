#include "shell/plot_axis.h"

#include <algorithm>
#include <cmath>

namespace {

// At most this many intervals between the ticks of a linear axis.
constexpr double MostIntervals = 7;

// The smallest round step (1, 2 or 5 times a power of ten) that cuts span into at most
// MostIntervals parts.
double RoundStep(double span)
{
    const double raw = span / MostIntervals;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (raw <= factor * power)
            return factor * power;
    return 10 * power;
}

}  // namespace

PlotAxis PlotAxis::LinearFromZero(double largest)
{
    if (!(largest > 0))
        largest = 1;
    const double step = RoundStep(largest);
    return PlotAxis(0, std::ceil(largest / step) * step, step, false);
}

PlotAxis PlotAxis::Linear(double firstValue, double lastValue)
{
    return PlotAxis(firstValue, lastValue, RoundStep(lastValue - firstValue), false);
}

PlotAxis PlotAxis::Logarithmic(double smallest, double largest)
{
    smallest = std::max(smallest, 1.0);
    largest = std::max(largest, smallest);
    const double firstDecade = std::floor(std::log10(smallest));
    const double lastDecade = std::max(std::ceil(std::log10(largest)), firstDecade + 1);
    return PlotAxis(std::pow(10.0, firstDecade), std::pow(10.0, lastDecade), 10, true);
}

double PlotAxis::ToPixel(double value, double start, double end) const
{
    double share = 0;
    if (logarithmic)
        share = std::log10(std::max(value, first) / first) / span;
    else
        share = (value - first) / span;
    return start + share * (end - start);
}

std::vector<double> PlotAxis::Ticks() const
{
    std::vector<double> ticks;
    if (logarithmic) {
        for (double value = first; value <= last * 1.0001; value *= step)
            ticks.push_back(value);
        return ticks;
    }
    const double count = std::round((last - first) / step);
    for (double index = 0; index <= count; ++index)
        ticks.push_back(first + index * step);
    return ticks;
}

QString PlotAxis::Label(double value)
{
    const double magnitude = std::abs(value);
    if (magnitude >= 1e9)
        return QString::number(value / 1e9, 'g', 3) + QLatin1Char('G');
    if (magnitude >= 1e6)
        return QString::number(value / 1e6, 'g', 3) + QLatin1Char('M');
    if (magnitude >= 1e4)
        return QString::number(value / 1e3, 'g', 3) + QLatin1Char('k');
    return QString::number(value, 'g', 4);
}
