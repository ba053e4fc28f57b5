#include <QCheckBox>
#include <QPainter>

#include "shell/curve_plot.h"
#include "shell/plot_axis.h"
#include "shell/training_curve.h"
#include "shell/training_curve_window.h"
#include "shell/training_monitor.h"
#include "shell_fixture.h"

namespace {

class TrainingCurveTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Document().ImportTrainingData(WriteTrainingData(20), true);
        Document().UpdateAllViews(nullptr, UpdateHint::All);
    }

    const CurveSeries& Errors() const
    {
        return app->Monitor()->Curve().Of(TrainingCurve::Series::AverageError);
    }

    // Lets the event loop turn until a timer of the curve's pace has fired count times.
    static void LetSamplePeriodsPass(int count)
    {
        int fired = 0;
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&fired] { ++fired; });
        ticks.start(TrainingMonitor::SampleMilliseconds);
        EXPECT_TRUE(RunEventsUntil([&] { return fired >= count; }));
    }
};

TEST_F(TrainingCurveTest, ViewCommandOpensAndClosesTheWindowWithItsCheckMark)
{
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_VIEW_TRAINING_CURVE));
    EXPECT_FALSE(app->Router().QueryState(ID_VIEW_TRAINING_CURVE).checked);
    ASSERT_TRUE(app->Router().Execute(ID_VIEW_TRAINING_CURVE));
    TrainingCurveWindow* window = app->Frame()->CurveWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), "Training Curve");
    EXPECT_TRUE(app->Router().QueryState(ID_VIEW_TRAINING_CURVE).checked);
    // A main-window command still works while it is open.
    EXPECT_TRUE(app->Router().Execute(ID_TRAIN));
    EXPECT_TRUE(TrainsOnFrom(0));
    ASSERT_TRUE(app->Router().Execute(ID_VIEW_TRAINING_CURVE));
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(app->Router().QueryState(ID_VIEW_TRAINING_CURVE).checked);
}

TEST_F(TrainingCurveTest, WindowKeepsItsSizeAndAxisChoiceForTheNextRun)
{
    app->Router().Execute(ID_VIEW_TRAINING_CURVE);
    TrainingCurveWindow* window = app->Frame()->CurveWindow();
    window->resize(610, 430);
    window->LogarithmicBox()->setChecked(true);
    EXPECT_TRUE(window->Plot()->IsLogarithmic());
    app->Frame()->close();

    app = std::make_unique<CCorvinaApp>();
    ASSERT_TRUE(app->CreateMainWindow({}));
    app->Frame()->show();
    app->Router().Execute(ID_VIEW_TRAINING_CURVE);
    window = app->Frame()->CurveWindow();
    EXPECT_EQ(window->size(), QSize(610, 430));
    EXPECT_TRUE(window->LogarithmicBox()->isChecked());
    EXPECT_TRUE(window->Plot()->IsLogarithmic());
}

TEST_F(TrainingCurveTest, PointsArriveWhileTrainingAndNoneWhilePaused)
{
    ASSERT_EQ(Errors().Points().size(), 1u);
    EXPECT_EQ(Errors().Points().front(), (CurvePoint{0, 10922}));
    app->Router().Execute(ID_VIEW_TRAINING_CURVE);
    app->Router().Execute(ID_TRAIN);
    ASSERT_TRUE(RunEventsUntil([&] { return Errors().Points().size() > 30 && Passes() > 5000; }));
    // The first passes each get a point, so a logarithmic axis shows the start.
    EXPECT_EQ(Errors().Points()[1].passes, 1);
    EXPECT_EQ(Errors().Points()[2].passes, 2);
    for (size_t index = 1; index < Errors().Points().size(); ++index)
        EXPECT_GT(Errors().Points()[index].passes, Errors().Points()[index - 1].passes);

    app->Router().Execute(ID_PAUSE);
    const size_t paused = Errors().Points().size();
    EXPECT_EQ(Errors().Points().back(), (CurvePoint{double(Passes()), double(Document().GetAverageError())}));
    LetSamplePeriodsPass(5);
    EXPECT_EQ(Errors().Points().size(), paused);
}

TEST_F(TrainingCurveTest, AResetOrAnotherDocumentStartsANewCurve)
{
    app->Router().Execute(ID_TRAIN);
    ASSERT_TRUE(RunEventsUntil([&] { return Errors().Points().size() > 10; }));
    app->Router().Execute(ID_PAUSE);
    {
        const BoxAnswer yes(QMessageBox::Yes);
        app->Router().Execute(ID_RANDOMIZATION);
    }
    EXPECT_EQ(Errors().Points().size(), 1u);
    EXPECT_EQ(Errors().Points().front(), (CurvePoint{0, 10922}));

    // A saved network opens with its own history: the curve starts at its passes.
    for (int pass = 0; pass < 700; ++pass)
        Document().TrainPass();
    const uint32_t saved = Passes();
    const std::string path = TempPath("trained.cvn").toStdString();
    ASSERT_TRUE(app->Manager().SaveDocumentAs(path));
    {
        const BoxAnswer yes(QMessageBox::Yes);
        app->Router().Execute(ID_RANDOMIZATION);
    }
    Document().SetModifiedFlag(false);
    ASSERT_TRUE(app->Manager().OpenDocumentFile(path));
    ASSERT_EQ(Errors().Points().size(), 1u);
    EXPECT_EQ(Errors().Points().front().passes, saved);
}

TEST_F(TrainingCurveTest, StatusBarGivesThePassesPerSecondWhileTraining)
{
    EXPECT_EQ(app->Frame()->ReadyText(), "Ready");
    app->Router().Execute(ID_TRAIN);
    ASSERT_TRUE(RunEventsUntil([&] { return app->Monitor()->Rate().has_value(); }));
    EXPECT_GT(*app->Monitor()->Rate(), 0);
    EXPECT_EQ(app->Frame()->ReadyText(),
              QStringLiteral("Training: %1 passes per second").arg(qRound64(*app->Monitor()->Rate())));
    app->Router().Execute(ID_PAUSE);
    EXPECT_EQ(app->Frame()->ReadyText(), "Ready");
    EXPECT_FALSE(app->Monitor()->Rate().has_value());
}

// The idle loop stops asking for calls while training is on but there is nothing to train, and
// data loaded later starts it again.
TEST_F(TrainingCurveTest, TrainingWithoutPatternsLetsTheIdleLoopRest)
{
    app->Router().Execute(ID_TRAIN);
    ASSERT_TRUE(TrainsOnFrom(0));
    {
        const BoxAnswer yes(QMessageBox::Yes);
        app->Router().Execute(ID_ERASE_TD);
    }
    ASSERT_TRUE(app->IsTrainingOn());
    EXPECT_TRUE(RunEventsUntil([&] { return !app->Idle()->IsRunning(); }));
    SelectTrainingDataThroughDialog(WriteTrainingData(12));
    EXPECT_TRUE(app->Idle()->IsRunning());
    EXPECT_TRUE(TrainsOnFrom(0));
}

// Paints the plot of curve into an image and counts the pixels of about color (antialiased lines
// blend into the background).
int PixelsOf(const TrainingCurve& curve, bool logarithmic, QColor color)
{
    CurvePlot plot(curve);
    plot.resize(400, 300);
    plot.SetLogarithmic(logarithmic);
    const QImage image = plot.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
        {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - color.red()) + std::abs(pixel.green() - color.green()) +
                         std::abs(pixel.blue() - color.blue()) <
                     100;
        }
    return count;
}

TEST(CurvePlotTest, DrawsEachSeriesInItsColourAndTheBestMarker)
{
    const QColor error(0x1f, 0x5f, 0xbf), evaluation(0xd9, 0x73, 0x0d), marker(0xc0, 0x10, 0x10);
    TrainingCurve curve;
    for (int pass = 1; pass <= 1000; pass *= 2)
        curve.Append(TrainingCurve::Series::AverageError, {double(pass), 10000.0 / pass});
    for (const bool logarithmic : {false, true}) {
        EXPECT_GT(PixelsOf(curve, logarithmic, error), 100) << logarithmic;
        EXPECT_EQ(PixelsOf(curve, logarithmic, evaluation), 0) << logarithmic;
    }
    curve.Append(TrainingCurve::Series::EvaluationError, {100, 300});
    curve.Append(TrainingCurve::Series::EvaluationError, {1000, 200});
    curve.SetBest(CurvePoint{1000, 200});
    EXPECT_GT(PixelsOf(curve, true, evaluation), 50);
    EXPECT_GT(PixelsOf(curve, true, marker), 10);
}

TEST(CurveSeriesTest, ALongRunIsThinnedEvenlyToABoundedNumberOfPoints)
{
    CurveSeries series;
    const int offered = 3 * static_cast<int>(CurveSeries::MaxPoints) + 7;
    for (int pass = 0; pass < offered; ++pass)
        series.Append({double(pass), 1});
    const auto points = series.Points();
    ASSERT_LE(points.size(), CurveSeries::MaxPoints);
    ASSERT_GT(points.size(), CurveSeries::MaxPoints / 2);
    EXPECT_EQ(points.front().passes, 0);
    EXPECT_GT(points.back().passes, offered - 8);
    // After two thinnings every fourth point remains.
    for (size_t index = 1; index < points.size(); ++index)
        EXPECT_EQ(points[index].passes - points[index - 1].passes, 4) << index;
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
    EXPECT_DOUBLE_EQ(row.axis.First(), row.first);
    EXPECT_DOUBLE_EQ(row.axis.Last(), row.last);
    EXPECT_EQ(row.axis.Ticks(), row.ticks);
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
    EXPECT_EQ(PlotAxis::Label(12000), "12k");
    EXPECT_EQ(PlotAxis::Label(2500000), "2.5M");
    EXPECT_EQ(PlotAxis::Label(0.5), "0.5");
    EXPECT_EQ(PlotAxis::Label(400), "400");
}

}  // namespace
