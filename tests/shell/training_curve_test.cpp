#include "shell/plot_axis.h"
#include "shell/training_curve.h"
#include "shell/training_curve_window.h"
#include "shell/training_monitor.h"
#include "shell_fixture.h"

namespace {

using TrainingCurveTest = ShellTest;

// The window opens and closes with its check mark; points arrive while training, with the pass
// rate in the status bar, and pausing ends both.
TEST_F(TrainingCurveTest, PointsAndThePassRateFollowTraining)
{
    Document().ImportTrainingData(WriteTrainingData(20), true);
    Document().UpdateAllViews(nullptr, UpdateHint::All);
    const auto errors = [&] { return app->Monitor()->Curve().Of(TrainingCurve::Series::AverageError).Points(); };
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors().front(), (CurvePoint{0, 10922}));
    ASSERT_TRUE(app->Router().Execute(ID_VIEW_TRAINING_CURVE));
    TrainingCurveWindow* window = app->Frame()->CurveWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible() && !window->isModal() && app->Router().QueryState(ID_VIEW_TRAINING_CURVE).checked);
    EXPECT_EQ(window->windowTitle(), "Training Curve");
    app->Router().Execute(ID_TRAIN);
    ASSERT_TRUE(RunEventsUntil([&] { return errors().size() > 30 && app->Monitor()->Rate().has_value(); }));
    EXPECT_EQ(app->Frame()->ReadyText(),
              QStringLiteral("Training: %1 passes per second").arg(qRound64(*app->Monitor()->Rate())));
    // The first passes each get a point, so a logarithmic axis shows the start.
    EXPECT_EQ(errors()[1].passes, 1);
    EXPECT_EQ(errors()[2].passes, 2);
    EXPECT_EQ(std::adjacent_find(errors().begin(), errors().end(),
                                 [](CurvePoint a, CurvePoint b) { return a.passes >= b.passes; }),
              errors().end());

    app->Router().Execute(ID_PAUSE);
    EXPECT_EQ(app->Frame()->ReadyText(), "Ready");
    const size_t paused = errors().size();
    EXPECT_EQ(errors().back(), (CurvePoint{double(Passes()), double(Document().GetAverageError())}));
    // Several sample periods later nothing has been added.
    QTimer ticks;
    int fired = 0;
    QObject::connect(&ticks, &QTimer::timeout, [&fired] { ++fired; });
    ticks.start(TrainingMonitor::SampleMilliseconds);
    EXPECT_TRUE(RunEventsUntil([&] { return fired >= 5; }));
    EXPECT_EQ(errors().size(), paused);
    ASSERT_TRUE(app->Router().Execute(ID_VIEW_TRAINING_CURVE));
    EXPECT_FALSE(window->isVisible() || app->Router().QueryState(ID_VIEW_TRAINING_CURVE).checked);
}

TEST(CurveSeriesTest, ALongRunIsThinnedEvenlyToABoundedNumberOfPoints)
{
    CurveSeries series;
    const int offered = 3 * static_cast<int>(CurveSeries::MaxPoints) + 7;
    for (int pass = 0; pass < offered; ++pass)
        series.Append({double(pass), 1});
    // After two thinnings every fourth point remains.
    std::vector<double> passes, expected;
    for (const CurvePoint& point : series.Points())
        passes.push_back(point.passes);
    for (int pass = 0; pass < offered; pass += 4)
        expected.push_back(pass);
    EXPECT_EQ(passes, expected);
}

struct AxisRow {
    const char* name;
    PlotAxis axis;
    double first, last;
    std::vector<double> ticks;
};

PRINTS_AS_NAME(AxisRow)

class PlotAxisTest : public testing::TestWithParam<AxisRow> {};

TEST_P(PlotAxisTest, RangeAndTicks)
{
    const AxisRow& row = GetParam();
    EXPECT_EQ(std::tuple(row.axis.First(), row.axis.Last(), row.axis.Ticks()), std::tuple(row.first, row.last, row.ticks));
    EXPECT_DOUBLE_EQ(row.axis.ToPixel(row.first, 10, 110), 10);
    EXPECT_DOUBLE_EQ(row.axis.ToPixel(row.last, 10, 110), 110);
}

INSTANTIATE_TEST_SUITE_P(
    Axes, PlotAxisTest,
    testing::Values(AxisRow{"ResetError", PlotAxis::LinearFromZero(10922), 0, 12000, {0, 2000, 4000, 6000, 8000, 10000, 12000}},
                    AxisRow{"SmallError", PlotAxis::LinearFromZero(7), 0, 7, {0, 1, 2, 3, 4, 5, 6, 7}},
                    AxisRow{"NothingYet", PlotAxis::LinearFromZero(0), 0, 1, {0, 0.2, 0.4, 0.6000000000000001, 0.8, 1}},
                    AxisRow{"Fraction", PlotAxis::Linear(0, 1), 0, 1, {0, 0.2, 0.4, 0.6000000000000001, 0.8, 1}},
                    AxisRow{"Decades", PlotAxis::Logarithmic(3, 45000), 1, 100000, {1, 10, 100, 1000, 10000, 100000}},
                    AxisRow{"OnePoint", PlotAxis::Logarithmic(1, 1), 1, 10, {1, 10}},
                    AxisRow{"ExactDecade", PlotAxis::Logarithmic(10, 1000), 10, 1000, {10, 100, 1000}}),
    RowName());

TEST(PlotAxisTest, HalfwayOnALogarithmicAxisIsTheGeometricMean)
{
    EXPECT_DOUBLE_EQ(PlotAxis::Logarithmic(1, 10000).ToPixel(100, 0, 200), 100);
    EXPECT_DOUBLE_EQ(PlotAxis::LinearFromZero(100).ToPixel(25, 200, 0), 150);
    EXPECT_EQ(QStringList({PlotAxis::Label(12000), PlotAxis::Label(2500000), PlotAxis::Label(0.5), PlotAxis::Label(400)}),
              QStringList({"12k", "2.5M", "0.5", "400"}));
}

}  // namespace
