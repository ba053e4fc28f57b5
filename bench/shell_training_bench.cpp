// Training passes per second in the running application (offscreen window, idle-time loop,
// status view refreshed by every pass) against the same document trained directly, in one run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <memory>

#include "shell/corvina_app.h"
#include "shell/main_frame.h"

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

double ApplicationPassesPerSecond(const std::string& data)
{
    CCorvinaApp corvina;
    corvina.Document().Model().Random().Seed(1);
    corvina.CreateMainWindow({});
    corvina.Frame()->show();
    corvina.Document().ImportTrainingData(data, true);
    corvina.Document().UpdateAllViews(nullptr, UpdateHint::All);
    QApplication::processEvents();
    corvina.Router().Execute(ID_TRAIN);
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

BENCHMARK(BM_ApplicationAgainstHeadlessTraining)->Iterations(1)->Unit(benchmark::kSecond);
