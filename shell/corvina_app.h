#pragma once

#include <QPrinter>
#include <cstdint>
#include <memory>

#include "document/corvina_doc.h"
#include "framework/document_manager.h"
#include "framework/file_store.h"
#include "shell/command_router.h"
#include "shell/command_state.h"
#include "shell/command_target.h"
#include "shell/dialogs/qt_user_interface.h"
#include "shell/document_commands.h"
#include "shell/recent_file_list.h"
#include "shell/report_printing.h"

class CMainFrame;
class CCorvinaView;
class CommandActions;
class IdleLoop;
class TrainingMonitor;
struct StartupRequest;

// The application: it starts the program, holds the training flag, routes the commands and
// trains the network in the idle time of the user interface.
class CCorvinaApp : public CommandTarget, private CommandConditions {
public:
    CCorvinaApp();
    ~CCorvinaApp() override;

    // Seeds the document's random source from the clock, opens the document the command line
    // names (or a new one) and shows the main window; false when the program should end at once.
    bool InitInstance(const StartupRequest& request);

    // Prints the status report of file on target (a printer name, a .pdf file, or the default
    // printer when empty) without a dialog or a window; false after a message on failure.
    bool PrintDocument(const QString& file, const QString& target);

    // Creates the document, a new one or the file, and the frame, without showing it.
    bool CreateMainWindow(const QString& file);

    // The idle hook: count 0 refreshes the command states; later counts train while the
    // training flag is on and patterns exist. True asks for another call.
    bool OnIdle(int32_t count);

    bool HasHandler(CommandId id) const override;
    bool OnCommand(CommandId id) override;

    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    void OnAppAbout();
    void OnTrain();
    void OnPause();
    bool OnUpdatePause() const { return trainingFlag == TrainingFlag::On; }
    void OnOpenRecentFile(int index);

    bool IsTrainingOn() const override { return trainingFlag == TrainingFlag::On; }

    // Parts, for the screenshots and tests.
    CCorvinaDoc& Document() { return document; }
    CDocumentManager& Manager() { return manager; }
    CommandRouter& Router() { return router; }
    CMainFrame* Frame() const { return frame.get(); }
    CCorvinaView* View() const { return view; }
    CommandActions* Actions() const { return actions; }
    IdleLoop* Idle() const { return idle.get(); }
    TrainingMonitor* Monitor() const { return monitor.get(); }
    RecentFileList& RecentFiles() { return recentFiles; }
    QPrinter& Printer() { return printer; }
    UserInterface& Interface() { return userInterface.Interface(); }
    QtProgressDisplay& Progress() { return userInterface.Progress(); }

private:
    bool PatternsExist() const override;
    bool TrainingCanStart() const override;
    bool IsRecentFileListed(int index) const override;
    bool IsToolbarShown() const override;
    bool IsStatusBarShown() const override;
    bool IsTrainingCurveShown() const override;
    bool CanRestoreBestNetwork() const override { return document.CanRestoreBestNetwork(); }

    bool OpenAtStart(const QString& file);
    void AfterCommand();
    void RememberPath(const std::string& path);
    void ForgetPath(const std::string& path);

    QtUserInterface userInterface;
    CCorvinaDoc document;
    LocalFileStore fileStore;
    CDocumentManager manager;
    RecentFileList recentFiles;
    QPrinter printer;
    ReportPrinting printing;
    DocumentCommands documentCommands;
    CommandRouter router;
    std::unique_ptr<CMainFrame> frame;
    CCorvinaView* view = nullptr;
    CommandActions* actions = nullptr;
    std::unique_ptr<IdleLoop> idle;
    std::unique_ptr<TrainingMonitor> monitor;
    // Whether idle time trains: only Train and Pause change it; New, Open and every network
    // command keep it, and it is not saved.
    enum class TrainingFlag : int32_t { Off = 0, On = 1 };
    TrainingFlag trainingFlag = TrainingFlag::Off;
};
