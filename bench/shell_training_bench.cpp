// Training passes per second in the running application (offscreen window, idle-time loop,
// status view refreshed by every pass) against the same document trained directly, in one run;
// and the application's rate with the training curve window open against closed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <ctime>
#include <fstream>
#include <memory>

#include "shell/corvina_app.h"
#include "shell/main_frame.h"
#include "shell/training_curve_window.h"

namespace {

constexpr int MeasureMilliseconds = 3000;

QApplication& Application()
{
    static int argc = 1;
    static char name[] = "shell_training_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

std::string WriteData(const QTemporaryDir& directory)
{
    const std::string path = directory.filePath("bench.dat").toStdString();
    std::ofstream out(path);
    for (int record = 0; record < 500; ++record)
        out << record % 10 << ' ' << record % 7 << ' ' << record % 5 << ' ' << record % 3 << ' '
            << (record % 10 + record % 7) << ' ' << (record % 5) * (record % 3) << '\n';
    return path;
}

double HeadlessPassesPerSecond(const std::string& data)
{
    QtUserInterface userInterface;
    CCorvinaDoc document(userInterface.Interface());
    document.Model().Random().Seed(1);
    document.OnNewDocument();
    document.ImportTrainingData(data, true);
    QElapsedTimer clock;
    clock.start();
    uint64_t passes = 0;
    while (clock.elapsed() < MeasureMilliseconds) {
        for (int pass = 0; pass < 1000; ++pass)
            document.TrainPass();
        passes += 1000;
    }
    return static_cast<double>(passes) * 1e9 / static_cast<double>(clock.nsecsElapsed());
}

// Shows the window on a seeded document holding data's patterns and switches training on.
void StartTraining(CCorvinaApp& corvina, const std::string& data)
{
    corvina.Document().Model().Random().Seed(1);
    corvina.CreateMainWindow({});
    corvina.Frame()->show();
    corvina.Document().ImportTrainingData(data, true);
    corvina.Document().UpdateAllViews(nullptr, UpdateHint::All);
    QApplication::processEvents();
    corvina.Router().Execute(ID_TRAIN);
}

double ApplicationPassesPerSecond(const std::string& data)
{
    CCorvinaApp corvina;
    StartTraining(corvina, data);
    QElapsedTimer clock;
    clock.start();
    const uint32_t before = corvina.Document().GetPassesCount();
    QEventLoop loop;
    QTimer::singleShot(MeasureMilliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    const uint32_t passes = corvina.Document().GetPassesCount() - before;
    const double rate = static_cast<double>(passes) * 1e9 / static_cast<double>(clock.nsecsElapsed());
    corvina.Router().Execute(ID_PAUSE);
    corvina.Document().SetModifiedFlag(false);
    return rate;
}

void BM_ApplicationAgainstHeadlessTraining(benchmark::State& state)
{
    Application();
    const QTemporaryDir directory;
    const std::string data = WriteData(directory);
    for (auto _ : state) {
        const double headless = HeadlessPassesPerSecond(data);
        const double application = ApplicationPassesPerSecond(data);
        state.counters["headless_passes_per_s"] = headless;
        state.counters["application_passes_per_s"] = application;
        state.counters["ratio"] = application / headless;
    }
}

}  // namespace

// The process's processor time in seconds: on a shared machine the wall clock also counts the
// time other programs had the processor.
double ProcessorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Passes per second of wall clock and of processor time while the event loop runs for
// milliseconds.
struct Rates {
    double wall = 0;
    double processor = 0;
};

Rates PassesPerSecondFor(CCorvinaApp& corvina, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    const double processorStart = ProcessorSeconds();
    const uint32_t before = corvina.Document().GetPassesCount();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    const auto passes = static_cast<double>(corvina.Document().GetPassesCount() - before);
    return {passes * 1e9 / static_cast<double>(clock.nsecsElapsed()), passes / (ProcessorSeconds() - processorStart)};
}

// Alternates closed and open in several rounds, so that a drift of the machine's speed touches
// both alike.
void BM_TrainingWithCurveOpenAgainstClosed(benchmark::State& state)
{
    Application();
    const QTemporaryDir directory;
    const std::string data = WriteData(directory);
    constexpr int Rounds = 4;
    for (auto _ : state) {
        CCorvinaApp corvina;
        StartTraining(corvina, data);
        Rates closed, open;
        for (int round = 0; round < Rounds; ++round) {
            const Rates withoutCurve = PassesPerSecondFor(corvina, MeasureMilliseconds / 2);
            corvina.Router().Execute(ID_VIEW_TRAINING_CURVE);
            const Rates withCurve = PassesPerSecondFor(corvina, MeasureMilliseconds / 2);
            corvina.Router().Execute(ID_VIEW_TRAINING_CURVE);
            closed.wall += withoutCurve.wall;
            closed.processor += withoutCurve.processor;
            open.wall += withCurve.wall;
            open.processor += withCurve.processor;
        }
        corvina.Router().Execute(ID_PAUSE);
        corvina.Document().SetModifiedFlag(false);
        state.counters["closed_passes_per_s"] = closed.wall / Rounds;
        state.counters["open_passes_per_s"] = open.wall / Rounds;
        state.counters["open_to_closed"] = open.wall / closed.wall;
        state.counters["closed_passes_per_cpu_s"] = closed.processor / Rounds;
        state.counters["open_passes_per_cpu_s"] = open.processor / Rounds;
        state.counters["open_to_closed_cpu"] = open.processor / closed.processor;
    }
}

BENCHMARK(BM_TrainingWithCurveOpenAgainstClosed)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ApplicationAgainstHeadlessTraining)->Iterations(1)->Unit(benchmark::kSecond);
