#include "shell/main_frame.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>

#include "document/corvina_doc.h"
#include "shell/command_actions.h"
#include "shell/corvina_view.h"
#include "shell/desktop_identity.h"
#include "shell/lock_key_state.h"
#include "shell/training_curve_window.h"

namespace {

const std::array<CommandMapEntry<CMainFrame>, 3> commandMap = {{
    {ID_VIEW_TOOLBAR, &CMainFrame::OnViewToolbar},
    {ID_VIEW_STATUS_BAR, &CMainFrame::OnViewStatusBar},
    {ID_VIEW_TRAINING_CURVE, &CMainFrame::OnViewTrainingCurve},
}};

const QString Ready = QStringLiteral("Ready");

struct LockIndicator {
    LockKey key;
    const char* text;
};

const std::array<LockIndicator, 3> lockIndicatorTexts = {{
    {LockKey::Caps, "CAP"},
    {LockKey::Num, "NUM"},
    {LockKey::Scroll, "SCRL"},
}};

// The frame's first size, before it shrinks to the form: generous, as the form's size in pixels
// depends on the font.
QSize InitialSize(const QWidget& window)
{
    const QScreen* screen = window.screen();
    const QSize available = screen != nullptr ? screen->availableSize() : QSize(1024, 768);
    return QSize(640, 480).expandedTo(available * 3 / 4);
}

}  // namespace

CMainFrame::CMainFrame(CCorvinaDoc& doc, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      document(doc)
{
    setWindowIcon(DesktopIcon());
    setFixedSize(InitialSize(*this));
}

void CMainFrame::OnCreate(CommandActions& actions)
{
    actions.BuildMenus(*menuBar());
    CreateToolBar(actions);
    CreateStatusBar();
}

void CMainFrame::CreateToolBar(CommandActions& actions)
{
    toolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    toolBar->setObjectName(QStringLiteral("control_59392"));
    toolBar->setIconSize(QSize(16, 15));
    toolBar->setMovable(true);
    toolBar->setFloatable(true);
    toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    actions.BuildToolBar(*toolBar);
    addToolBar(Qt::TopToolBarArea, toolBar);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("control_59393"));
    bar->setSizeGripEnabled(false);
    // A normal widget is hidden while a prompt is shown, so "Ready" stands whenever none is.
    readyLabel = new QLabel(Ready, bar);
    readyLabel->setObjectName(QStringLiteral("ready_pane"));
    bar->addWidget(readyLabel, 1);
    for (size_t index = 0; index < lockIndicators.size(); ++index) {
        auto* label = new QLabel(bar);
        label->setObjectName(QString::fromLatin1(lockIndicatorTexts[index].text));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        bar->addPermanentWidget(label);
        lockIndicators[index] = label;
    }
    RefreshLockIndicators();
}

void CMainFrame::RefreshLockIndicators()
{
    for (size_t index = 0; index < lockIndicators.size(); ++index) {
        const bool on = IsLockKeyOn(lockIndicatorTexts[index].key);
        const QString text = on ? QString::fromLatin1(lockIndicatorTexts[index].text) : QString();
        if (lockIndicators[index]->text() != text)
            lockIndicators[index]->setText(text);
    }
}

void CMainFrame::SetView(CCorvinaView* statusView)
{
    view = statusView;
    // The form keeps its size; when bars docked at the sides leave less room, it scrolls.
    view->setFixedSize(view->FormSize());
    viewArea = new QScrollArea(this);
    viewArea->setObjectName(QStringLiteral("view_area"));
    viewArea->setFrameShape(QFrame::NoFrame);
    viewArea->setWidget(view);
    setCentralWidget(viewArea);
}

void CMainFrame::TrainStep()
{
    document.TrainPass();
}

void CMainFrame::ShrinkToForm()
{
    if (view == nullptr)
        return;
    // Let the bars settle before measuring what is left for the view.
    if (QLayout* frameLayout = layout())
        frameLayout->activate();
    const QSize area = viewArea->size();
    const QSize form = view->FormSize();
    QSize frame = size();
    if (area.width() > form.width())
        frame.setWidth(frame.width() - (area.width() - form.width()));
    if (area.height() > form.height())
        frame.setHeight(frame.height() - (area.height() - form.height()));
    setFixedSize(frame);
}

void CMainFrame::UpdateCaption()
{
    setWindowTitle(QStringLiteral("Corvina - ") + QString::fromStdString(document.GetTitle()));
}

bool CMainFrame::HasHandler(CommandId id) const
{
    return MapHasHandler<CMainFrame>(commandMap, id);
}

bool CMainFrame::OnCommand(CommandId id)
{
    return DispatchCommand<CMainFrame>(*this, commandMap, id);
}

void CMainFrame::OnViewToolbar()
{
    toolBar->setVisible(toolBar->isHidden());
}

void CMainFrame::OnViewStatusBar()
{
    statusBar()->setVisible(statusBar()->isHidden());
}

void CMainFrame::OnViewTrainingCurve()
{
    if (IsTrainingCurveShown()) {
        curveWindow->close();
        return;
    }
    if (curveWindow == nullptr && trainingCurve != nullptr)
        curveWindow = new TrainingCurveWindow(*trainingCurve, this);
    if (curveWindow != nullptr)
        curveWindow->ShowBesideFrame();
}

bool CMainFrame::IsTrainingCurveShown() const
{
    return curveWindow != nullptr && curveWindow->isVisible();
}

void CMainFrame::ShowTrainingRate(std::optional<double> passesPerSecond)
{
    const QString text = passesPerSecond
                             ? QStringLiteral("Training: %1 passes per second").arg(qRound64(*passesPerSecond))
                             : Ready;
    if (readyLabel->text() != text)
        readyLabel->setText(text);
}

QString CMainFrame::ReadyText() const
{
    return readyLabel->text();
}

// The curve window is a window of its own: it closes with the frame, keeping its place.
void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (canClose && !canClose()) {
        event->ignore();
        return;
    }
    if (curveWindow != nullptr)
        curveWindow->close();
    event->accept();
}
