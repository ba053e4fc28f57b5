#include "screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

#include "dialog_gallery.h"
#include "shell/corvina_app.h"
#include "shell/main_frame.h"
#include "shell/page_setup_dlg.h"
#include "shell/print_preview.h"
#include "shell/dialogs/evaluate_dlg.h"
#include "shell/dialogs/evaluation_dlg.h"
#include "shell/dialogs/training_options_dlg.h"
#include "shell/training_curve_window.h"

#include <QCheckBox>

namespace {

// Lets the event loop run for a while, as the user would leave the window alone.
void RunEventsFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool Save(QWidget& widget, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (widget.grab().save(path))
        return true;
    std::fprintf(stderr, "corvina: cannot write %s\n", qPrintable(path));
    return false;
}

// A training-data file: four inputs and two outputs per record, outputs a smooth function of
// the inputs, so that the network has something to learn.
QString WriteSampleData(const QTemporaryDir& directory)
{
    const QString path = directory.filePath(QStringLiteral("sample.dat"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return {};
    QTextStream out(&file);
    for (int record = 0; record < 200; ++record) {
        const double a = record % 10, b = (record / 10) % 10, c = record % 7, d = record % 3;
        out << a << ' ' << b << ' ' << c << ' ' << d << ' ' << (a + b) << ' ' << (c * d) << '\n';
    }
    return path;
}

// The browse buttons are never pressed while rendering.
class NoFileChooser : public FileChooser {
public:
    bool ChooseFile(const FileChooserRequest&, std::string&) override { return false; }
};

bool RenderPrintPreview(CCorvinaApp& corvina, const QDir& folder)
{
    QPrinter& printer = corvina.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    CPrintPreview preview(printer, corvina.Document(), corvina.Frame());
    preview.resize(preview.size().expandedTo(QSize(640, 760)));
    preview.show();
    RunEventsFor(300);
    bool saved = Save(preview, folder, QStringLiteral("print_preview"));
    preview.close();

    CPageSetupDlg pageSetup(printer, corvina.Frame());
    pageSetup.show();
    RunEventsFor(50);
    saved = Save(pageSetup, folder, QStringLiteral("page_setup")) && saved;
    pageSetup.close();
    return saved;
}

// Iris in precise rounding, keeping the best network on the held-out records: the curve while it
// trains, then the learning dialogs.
bool RenderLearning(CCorvinaApp& corvina, const QDir& folder)
{
    const std::string training = CORVINA_EXAMPLES "/iris/iris-train.dat";
    const std::string heldOut = CORVINA_EXAMPLES "/iris/iris-test.dat";
    CCorvinaDoc& document = corvina.Document();
    document.Model().Reshape(3, 4, 3);
    document.Model().Randomize();
    document.ImportTrainingData(training, true);
    LearningSettings settings;
    settings.rounding = Rounding::Precise;
    settings.keepBest = {true, 2000, heldOut};
    settings.classes = 3;
    document.SetLearningSettings(settings);

    corvina.Router().Execute(ID_VIEW_TRAINING_CURVE);
    TrainingCurveWindow& curve = *corvina.Frame()->CurveWindow();
    curve.LogarithmicBox()->setChecked(false);
    corvina.Router().Execute(ID_TRAIN);
    RunEventsFor(2500);
    bool saved = Save(curve, folder, QStringLiteral("training_curve"));
    curve.LogarithmicBox()->setChecked(true);
    RunEventsFor(300);
    saved = Save(curve, folder, QStringLiteral("training_curve_logarithmic")) && saved;
    corvina.Router().Execute(ID_PAUSE);
    curve.close();

    // The dialogs show the file where a user would keep it, not where this build found it.
    const std::string shownPath = "/home/user/corvina/examples/iris/iris-test.dat";
    settings.keepBest.validationPath = shownPath;
    NoFileChooser chooser;
    CTrainingOptionsDlg options(chooser, document.GetOutputCount(), corvina.Frame());
    options.SetSettings(settings);
    options.show();
    RunEventsFor(50);
    saved = Save(options, folder, QStringLiteral("training_options")) && saved;
    options.close();

    CEvaluateDlg evaluate(chooser, document.GetOutputCount(), corvina.Frame());
    evaluate.SetFields({shownPath, 3});
    evaluate.show();
    RunEventsFor(50);
    saved = Save(evaluate, folder, QStringLiteral("evaluate")) && saved;
    evaluate.close();

    const std::optional<Evaluation> evaluation = document.EvaluateFile(heldOut, 3);
    if (!evaluation)
        return false;
    CEvaluationDlg shown(*evaluation, QString::fromStdString(shownPath), corvina.Frame());
    shown.show();
    RunEventsFor(50);
    saved = Save(shown, folder, QStringLiteral("evaluation")) && saved;
    shown.close();
    return saved;
}

}  // namespace

bool RenderScreenshots(const QString& folderPath)
{
    const QDir folder(folderPath);
    if (!QDir().mkpath(folderPath)) {
        std::fprintf(stderr, "corvina: cannot create %s\n", qPrintable(folderPath));
        return false;
    }
    // The same pictures on every run.
    CCorvinaApp corvina;
    corvina.Document().Model().Random().Seed(1);
    if (!corvina.CreateMainWindow({}))
        return false;
    CMainFrame& frame = *corvina.Frame();
    frame.show();
    RunEventsFor(200);
    bool saved = Save(frame, folder, QStringLiteral("main_window_new"));

    const QTemporaryDir data;
    corvina.Document().ImportTrainingData(WriteSampleData(data).toStdString(), true);
    corvina.Router().Execute(ID_TRAIN);
    RunEventsFor(1500);
    saved = Save(frame, folder, QStringLiteral("main_window_training")) && saved;
    corvina.Router().Execute(ID_PAUSE);
    saved = RenderLearning(corvina, folder) && saved;

    saved = RenderPrintPreview(corvina, folder) && saved;
    saved = !RenderDialogs(folderPath).isEmpty() && saved;
    // Nothing is to be saved: the screenshots leave no question behind.
    corvina.Document().SetModifiedFlag(false);
    return saved;
}
