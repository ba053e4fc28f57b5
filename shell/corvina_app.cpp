#include "shell/corvina_app.h"

#include <QApplication>
#include <QStatusBar>
#include <QToolBar>
#include <array>

#include "shell/command_actions.h"
#include "shell/command_line.h"
#include "shell/corvina_view.h"
#include "shell/dialogs/about_box.h"
#include "shell/idle_loop.h"
#include "shell/main_frame.h"
#include "shell/page_setup_dlg.h"
#include "shell/training_monitor.h"

// The pictures live in the shell library, whose resource initializer the linker would drop.
// Q_INIT_RESOURCE must stand outside any namespace.
static void LoadResources()
{
    Q_INIT_RESOURCE(corvina);
}

namespace {

const std::array<CommandMapEntry<CCorvinaApp>, 7> commandMap = {{
    {ID_FILE_NEW, &CCorvinaApp::OnFileNew},
    {ID_FILE_OPEN, &CCorvinaApp::OnFileOpen},
    {ID_FILE_PRINT_SETUP, &CCorvinaApp::OnFilePrintSetup},
    {ID_APP_EXIT, &CCorvinaApp::OnAppExit},
    {ID_APP_ABOUT, &CCorvinaApp::OnAppAbout},
    {ID_TRAIN, &CCorvinaApp::OnTrain},
    {ID_PAUSE, &CCorvinaApp::OnPause},
}};

bool IsRecentFileCommand(CommandId id)
{
    return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4;
}

void SetPrintTarget(QPrinter& printer, const QString& target)
{
    if (target.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(target);
    } else if (!target.isEmpty()) {
        printer.setPrinterName(target);
    }
}

}  // namespace

CCorvinaApp::CCorvinaApp()
    : document(userInterface.Interface()),
      manager(document, userInterface.Interface().messages, userInterface.Interface().files, fileStore,
              {"Corvina Files (*.cvn)", "cvn"}),
      printing(printer, document, userInterface.Interface().messages),
      documentCommands(document, manager, userInterface.Interface())
{
    LoadResources();
    manager.onDocumentPathUsed = [this](const std::string& path) { RememberPath(path); };
    manager.onDocumentPathFailed = [this](const std::string& path) { ForgetPath(path); };
    router.Attach(CommandOwner::Document, &documentCommands);
    router.Attach(CommandOwner::Application, this);
    router.SetConditions(this);
    router.onCommandDone = [this](CommandId) { AfterCommand(); };
}

CCorvinaApp::~CCorvinaApp()
{
    idle.reset();
    monitor.reset();
    if (frame)
        userInterface.SetParentWindow(nullptr);
}

bool CCorvinaApp::InitInstance(const StartupRequest& request)
{
    document.Model().Random().SeedFromClock();
    if (!CreateMainWindow(request.file))
        return false;
    frame->show();
    frame->repaint();
    return true;
}

bool CCorvinaApp::CreateMainWindow(const QString& file)
{
    if (!OpenAtStart(file))
        return false;
    frame = std::make_unique<CMainFrame>(document);
    actions = new CommandActions(router, *frame);
    frame->OnCreate(*actions);
    view = new CCorvinaView(document, printing, frame.get());
    frame->SetView(view);
    view->onInitialUpdateDone = [this] {
        frame->ShrinkToForm();
        frame->UpdateCaption();
    };
    frame->canClose = [this] { return manager.SaveModified(); };
    router.Attach(CommandOwner::View, view);
    router.Attach(CommandOwner::Frame, frame.get());
    userInterface.SetParentWindow(frame.get());
    documentCommands.SetParentWindow(frame.get());
    actions->ShowRecentFiles(recentFiles.Paths());
    view->OnInitialUpdate();
    monitor = std::make_unique<TrainingMonitor>(document);
    monitor->onRateChanged = [this](std::optional<double> rate) { frame->ShowTrainingRate(rate); };
    frame->SetTrainingCurve(monitor->Curve());
    idle = std::make_unique<IdleLoop>([this](int32_t count) { return OnIdle(count); });
    return true;
}

bool CCorvinaApp::OpenAtStart(const QString& file)
{
    // Every document holds a network before anything reads it; an empty file keeps this one.
    if (!document.OnNewDocument())
        return false;
    return file.isEmpty() || manager.OpenDocumentFile(file.toStdString());
}

bool CCorvinaApp::PrintDocument(const QString& file, const QString& target)
{
    // Printing headless, on a platform without a display, no box could be seen or answered.
    const QString platform = QGuiApplication::platformName();
    if (platform == QStringLiteral("offscreen") || platform == QStringLiteral("minimal"))
        userInterface.WriteMessagesToStandardError();
    if (!OpenAtStart(file))
        return false;
    SetPrintTarget(printer, target);
    return printing.PrintDirect();
}

// With no patterns a pass would do nothing: the loop goes quiet instead of spinning, and the
// command that brings patterns (Select TD, Open, New) starts it again.
bool CCorvinaApp::OnIdle(int32_t count)
{
    if (trainingFlag == TrainingFlag::On && count != 0 && document.GetPatternsCount() != 0) {
        frame->TrainStep();
        return true;
    }
    if (count != 0)
        return false;
    actions->RefreshStates();
    frame->RefreshLockIndicators();
    return true;
}

bool CCorvinaApp::HasHandler(CommandId id) const
{
    return IsRecentFileCommand(id) || MapHasHandler<CCorvinaApp>(commandMap, id);
}

bool CCorvinaApp::OnCommand(CommandId id)
{
    if (IsRecentFileCommand(id)) {
        OnOpenRecentFile(id - ID_FILE_MRU_FILE1);
        return true;
    }
    return DispatchCommand<CCorvinaApp>(*this, commandMap, id);
}

void CCorvinaApp::OnFileNew()
{
    manager.FileNew();
}

void CCorvinaApp::OnFileOpen()
{
    manager.FileOpen();
}

void CCorvinaApp::OnOpenRecentFile(int index)
{
    // A file that cannot be opened any more leaves the list (ForgetPath); a declined save
    // question keeps it.
    if (index < recentFiles.Paths().size())
        manager.OpenDocumentFile(recentFiles.Paths()[index].toStdString());
}

void CCorvinaApp::OnFilePrintSetup()
{
    ShowPageSetup(printer, frame.get());
}

void CCorvinaApp::OnAppExit()
{
    frame->close();
}

void CCorvinaApp::OnAppAbout()
{
    CAboutBox about(frame.get());
    about.exec();
}

void CCorvinaApp::OnTrain()
{
    trainingFlag = TrainingFlag::On;
    if (monitor)
        monitor->SetTraining(true);
}

void CCorvinaApp::OnPause()
{
    trainingFlag = TrainingFlag::Off;
    if (monitor)
        monitor->SetTraining(false);
}

void CCorvinaApp::AfterCommand()
{
    if (frame)
        frame->UpdateCaption();
    if (idle)
        idle->Restart();
}

void CCorvinaApp::RememberPath(const std::string& path)
{
    recentFiles.Add(QString::fromStdString(path));
    if (actions != nullptr)
        actions->ShowRecentFiles(recentFiles.Paths());
}

void CCorvinaApp::ForgetPath(const std::string& path)
{
    recentFiles.Remove(QString::fromStdString(path));
    if (actions != nullptr)
        actions->ShowRecentFiles(recentFiles.Paths());
}

bool CCorvinaApp::PatternsExist() const
{
    return document.OnUpdateEraseTd();
}

bool CCorvinaApp::TrainingCanStart() const
{
    return document.OnUpdateTrain(IsTrainingOn());
}

bool CCorvinaApp::IsRecentFileListed(int index) const
{
    return index < recentFiles.Paths().size();
}

bool CCorvinaApp::IsToolbarShown() const
{
    return frame && !frame->ToolBar()->isHidden();
}

bool CCorvinaApp::IsTrainingCurveShown() const
{
    return frame && frame->IsTrainingCurveShown();
}

bool CCorvinaApp::IsStatusBarShown() const
{
    return frame && !frame->statusBar()->isHidden();
}
