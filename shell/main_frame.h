#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>

#include "shell/command_target.h"

class CCorvinaDoc;
class CCorvinaView;
class CommandActions;
class QLabel;
class QScrollArea;
class QToolBar;
class TrainingCurve;
class TrainingCurveWindow;

// The one top-level window: a fixed-size frame with a menu, a toolbar and a status bar around
// the status view. It gives the idle loop its training step.
class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT

public:
    explicit CMainFrame(CCorvinaDoc& document, QWidget* parent = nullptr);

    // Creates the menus, the toolbar and the status bar from the command actions.
    void OnCreate(CommandActions& actions);

    // Takes view as the frame's one view, shown as its central widget.
    void SetView(CCorvinaView* view);
    CCorvinaView* View() const { return view; }

    // The area that shows the view and scrolls it when it is smaller than the form.
    QScrollArea* ViewArea() const { return viewArea; }

    // One training pass of the frame's document, for the idle hook.
    void TrainStep();

    // Shrinks the frame, never enlarges it, until the view's area just holds the form.
    void ShrinkToForm();

    // "Corvina - " and the document's title.
    void UpdateCaption();

    // Shows CAP, NUM and SCRL while their keys are locked.
    void RefreshLockIndicators();

    QToolBar* ToolBar() const { return toolBar; }

    // The curve that View > Training Curve shows.
    void SetTrainingCurve(const TrainingCurve& curve) { trainingCurve = &curve; }
    // The training curve window, once it has been opened.
    TrainingCurveWindow* CurveWindow() const { return curveWindow; }
    bool IsTrainingCurveShown() const;

    // While training, the status bar's message pane gives the passes per second (when no prompt
    // or note covers it); otherwise it reads "Ready".
    void ShowTrainingRate(std::optional<double> passesPerSecond);
    QString ReadyText() const;

    // Asked before the window closes; false keeps it open.
    std::function<bool()> canClose;

    bool HasHandler(CommandId id) const override;
    bool OnCommand(CommandId id) override;

    void OnViewToolbar();
    void OnViewStatusBar();
    void OnViewTrainingCurve();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateToolBar(CommandActions& actions);
    void CreateStatusBar();

    CCorvinaDoc& document;
    CCorvinaView* view = nullptr;
    QScrollArea* viewArea = nullptr;
    QToolBar* toolBar = nullptr;
    QLabel* readyLabel = nullptr;
    const TrainingCurve* trainingCurve = nullptr;
    TrainingCurveWindow* curveWindow = nullptr;
    std::array<QLabel*, 3> lockIndicators{};
};
