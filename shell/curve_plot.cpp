#include "shell/curve_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

#include "shell/plot_axis.h"
#include "shell/training_curve.h"

namespace {

using Series = TrainingCurve::Series;

constexpr std::array<Series, TrainingCurve::SeriesCount> AllSeries = {Series::AverageError, Series::EvaluationError,
                                                                      Series::Accuracy};

QColor ColorOf(Series series)
{
    switch (series) {
    case Series::AverageError:
        return QColor(0x1f, 0x5f, 0xbf);
    case Series::EvaluationError:
        return QColor(0xd9, 0x73, 0x0d);
    case Series::Accuracy:
        return QColor(0x2e, 0x8b, 0x57);
    }
    return Qt::black;
}

QString NameOf(Series series)
{
    const std::string_view name = TrainingCurve::NameOf(series);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// The points a logarithmic axis can show start at pass 1.
bool IsShown(const CurvePoint& point, bool logarithmic)
{
    return !logarithmic || point.passes >= 1;
}

// The pass range and the largest error of the shown points.
struct Extent {
    double firstPasses = INFINITY;
    double lastPasses = 0;
    double largestError = 0;
    bool anyFraction = false;
};

Extent ExtentOf(const TrainingCurve& curve, bool logarithmic)
{
    Extent extent;
    for (const Series series : AllSeries) {
        for (const CurvePoint& point : curve.Of(series).Points()) {
            if (!IsShown(point, logarithmic))
                continue;
            extent.firstPasses = std::min(extent.firstPasses, point.passes);
            extent.lastPasses = std::max(extent.lastPasses, point.passes);
            if (TrainingCurve::AxisOf(series) == CurveAxis::Error)
                extent.largestError = std::max(extent.largestError, point.value);
            else
                extent.anyFraction = true;
        }
    }
    if (extent.firstPasses > extent.lastPasses)
        extent.firstPasses = extent.lastPasses;
    return extent;
}

// Points that fall on the same pixel column add only what widens the column's span, so a series
// of any length is drawn with a few segments per column.
QPolygonF Thinned(std::span<const CurvePoint> points, bool logarithmic, const auto& toScreen)
{
    QPolygonF line;
    double column = -1, low = 0, high = 0;
    for (const CurvePoint& point : points) {
        if (!IsShown(point, logarithmic))
            continue;
        const QPointF at = toScreen(point);
        const double x = std::floor(at.x());
        if (x != column) {
            column = x;
            low = high = at.y();
            line << at;
        } else if (at.y() < low || at.y() > high) {
            low = std::min(low, at.y());
            high = std::max(high, at.y());
            line << at;
        }
    }
    return line;
}

}  // namespace

CurvePlot::CurvePlot(const TrainingCurve& trainingCurve, QWidget* parent) : QWidget(parent), curve(trainingCurve)
{
    setObjectName(QStringLiteral("curve_plot"));
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CurvePlot::SetLogarithmic(bool on)
{
    logarithmic = on;
    update();
}

void CurvePlot::RefreshIfChanged()
{
    if (curve.Revision() != paintedRevision)
        update();
}

void CurvePlot::paintEvent(QPaintEvent*)
{
    paintedRevision = curve.Revision();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    const Extent extent = ExtentOf(curve, logarithmic);
    const PlotAxis passAxis = logarithmic ? PlotAxis::Logarithmic(extent.firstPasses, extent.lastPasses)
                                          : PlotAxis::LinearFromZero(extent.lastPasses);
    const PlotAxis errorAxis = PlotAxis::LinearFromZero(extent.largestError);
    const PlotAxis fractionAxis = PlotAxis::Linear(0, 1);

    const int line = metrics.height();
    const int leftLabels = metrics.horizontalAdvance(QStringLiteral("00000")) + line;
    const int rightLabels = extent.anyFraction ? metrics.horizontalAdvance(QStringLiteral("0.00")) + line : line;
    const QRectF area(leftLabels + line / 2.0, 2.0 * line, width() - leftLabels - rightLabels - line / 2.0,
                      height() - 5.0 * line);
    if (area.width() < 10 || area.height() < 10)
        return;
    auto xOf = [&](double passes) { return passAxis.ToPixel(passes, area.left(), area.right()); };
    auto yOf = [&](const PlotAxis& axis, double value) { return axis.ToPixel(value, area.bottom(), area.top()); };

    // Grid, ticks and labels change only with the axes or the size: drawn once into a picture
    // that each repaint copies.
    const QString frameKey = QStringLiteral("%1x%2 %3 %4 %5 %6 %7 %8")
                                 .arg(width())
                                 .arg(height())
                                 .arg(devicePixelRatioF())
                                 .arg(passAxis.First())
                                 .arg(passAxis.Last())
                                 .arg(errorAxis.Last())
                                 .arg(extent.anyFraction)
                                 .arg(logarithmic);
    if (frameKey != paintedFrameKey) {
        paintedFrame = QPixmap(size() * devicePixelRatioF());
        paintedFrame.setDevicePixelRatio(devicePixelRatioF());
        paintedFrame.fill(Qt::white);
        QPainter framePainter(&paintedFrame);
        framePainter.setRenderHint(QPainter::Antialiasing);
        framePainter.setFont(font());
        framePainter.setPen(QColor(0xe0, 0xe0, 0xe0));
        for (const double tick : passAxis.Ticks())
            framePainter.drawLine(QPointF(xOf(tick), area.top()), QPointF(xOf(tick), area.bottom()));
        for (const double tick : errorAxis.Ticks())
            framePainter.drawLine(QPointF(area.left(), yOf(errorAxis, tick)), QPointF(area.right(), yOf(errorAxis, tick)));
        framePainter.setPen(Qt::black);
        framePainter.drawRect(area);
        for (const double tick : passAxis.Ticks()) {
            // Centred under its tick, but kept inside the widget.
            const QString label = PlotAxis::Label(tick);
            const double labelWidth = metrics.horizontalAdvance(label) + 2;
            const double left = std::clamp(xOf(tick) - labelWidth / 2, 0.0, width() - labelWidth);
            framePainter.drawText(QRectF(left, area.bottom() + 2, labelWidth, line), Qt::AlignHCenter | Qt::AlignTop, label);
        }
        for (const double tick : errorAxis.Ticks()) {
            const QRectF box(0, yOf(errorAxis, tick) - line / 2.0, area.left() - 4, line);
            framePainter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, PlotAxis::Label(tick));
        }
        if (extent.anyFraction) {
            for (const double tick : fractionAxis.Ticks()) {
                const QRectF box(area.right() + 4, yOf(fractionAxis, tick) - line / 2.0, rightLabels, line);
                framePainter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, QString::number(tick, 'f', 1));
            }
        }
        framePainter.drawText(QRectF(area.left(), area.bottom() + line + 4, area.width(), line), Qt::AlignHCenter,
                         logarithmic ? QStringLiteral("Passes (logarithmic)") : QStringLiteral("Passes"));
        paintedFrameKey = frameKey;
    }
    painter.drawPixmap(0, 0, paintedFrame);

    // The series, clipped to the plot area, and the legend above it.
    double legendX = area.left();
    for (const Series series : AllSeries) {
        const CurveSeries& points = curve.Of(series);
        if (points.IsEmpty())
            continue;
        const PlotAxis& axis = TrainingCurve::AxisOf(series) == CurveAxis::Error ? errorAxis : fractionAxis;
        auto toScreen = [&](const CurvePoint& point) { return QPointF(xOf(point.passes), yOf(axis, point.value)); };
        painter.save();
        painter.setClipRect(area.adjusted(-1, -1, 1, 1));
        painter.setPen(QPen(ColorOf(series), 1));
        const QPolygonF polyline = Thinned(points.Points(), logarithmic, toScreen);
        painter.drawPolyline(polyline);
        if (polyline.size() == 1)
            painter.drawEllipse(polyline.front(), 2, 2);
        painter.restore();
        painter.fillRect(QRectF(legendX, line * 0.5 + line / 2.0 - 1.5, line, 3), ColorOf(series));
        legendX += line * 1.4;
        const QString name = NameOf(series);
        painter.drawText(QPointF(legendX, line * 0.5 + metrics.ascent() / 2.0 + line / 4.0), name);
        legendX += metrics.horizontalAdvance(name) + line;
    }

    if (const auto& best = curve.Best(); best && IsShown(*best, logarithmic)) {
        const QPointF at(xOf(best->passes), yOf(errorAxis, best->value));
        painter.setPen(QPen(QColor(0xc0, 0x10, 0x10), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(at, 5, 5);
        painter.drawText(at + QPointF(8, -6), QStringLiteral("best"));
    }
    if (curve.Of(Series::AverageError).Points().size() < 2) {
        painter.setPen(Qt::darkGray);
        painter.drawText(area, Qt::AlignCenter, QStringLiteral("The curve grows while the network trains."));
    }
}
