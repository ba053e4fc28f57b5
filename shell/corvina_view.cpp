#include "shell/corvina_view.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <array>

#include "document/corvina_doc.h"
#include "document/program_texts.h"
#include "shell/command_table.h"
#include "shell/report_printing.h"
#include "shell/scalable_picture.h"
#include "shell/status_form.h"

namespace {

// The progress fields are repainted at most at about a screen's refresh rate.
constexpr int ProgressRefreshMilliseconds = 16;

// The lamp pictures' size on a screen of normal density.
constexpr QSize LampSize(16, 16);

const std::array<CommandMapEntry<CCorvinaView>, 3> commandMap = {{
    {ID_FILE_PRINT, &CCorvinaView::OnFilePrint},
    {ID_FILE_PRINT_DIRECT, &CCorvinaView::OnFilePrintDirect},
    {ID_FILE_PRINT_PREVIEW, &CCorvinaView::OnFilePrintPreview},
}};

// True when key is one of the program's command keys.
bool IsCommandKey(const QKeyEvent& key)
{
    const QKeySequence pressed(key.keyCombination());
    for (const CommandRow& row : CommandTable())
        if (!row.key.empty() && QKeySequence(QString::fromUtf8(row.key.data(), static_cast<qsizetype>(row.key.size()))) == pressed)
            return true;
    return false;
}

}  // namespace

CCorvinaView::CCorvinaView(CCorvinaDoc& doc, ReportPrinting& reportPrinting, QWidget* parent)
    : QWidget(parent), document(doc), printing(reportPrinting)
{
    setFont(DialogFont());
    const DialogUnits units(font());
    formSize = units.ToPixels(StatusFormWidth, StatusFormHeight);
    controls = BuildControls(*this, units, StatusFormRows());
    for (const ControlRow& row : StatusFormRows())
        if (QWidget* control = controls.Get(row.id))
            control->installEventFilter(this);
    progressTimer.setSingleShot(true);
    progressTimer.setInterval(ProgressRefreshMilliseconds);
    connect(&progressTimer, &QTimer::timeout, this, &CCorvinaView::ShowProgress);
    document.AddView(this);
}

CCorvinaView::~CCorvinaView()
{
    document.RemoveView(this);
}

QWidget* CCorvinaView::Control(int id) const
{
    return controls.Get(id);
}

void CCorvinaView::OnInitialUpdate()
{
    OnUpdate(nullptr, UpdateHint::All);
    if (onInitialUpdateDone)
        onInitialUpdateDone();
}

void CCorvinaView::OnUpdate(CView*, UpdateHint hint)
{
    const bool patternsExist = document.GetPatternsCount() != 0;
    ShowPicture(patternsExist ? Picture::Green : Picture::Red);
    if (hint == UpdateHint::TrainingPass) {
        if (!progressTimer.isActive())
            progressTimer.start();
        return;
    }
    progressTimer.stop();
    ShowProgress();
    auto number = [this](int id, int32_t value) {
        SetFieldText(static_cast<QLineEdit*>(Control(id)), QString::number(value));
    };
    SetFieldText(static_cast<QLineEdit*>(Control(IDC_DATA_STATE)),
                 QString::fromUtf8(patternsExist ? ProgramText::DataAvailable : ProgramText::DataMissing));
    number(IDC_PATTERNS_COUNT, document.GetPatternsCount());
    number(IDC_LEVELS_COUNT, document.GetLayersCount());
    number(IDC_INPUT_COUNT, document.GetInputCount());
    number(IDC_OUTPUT_COUNT, document.GetOutputCount());
    update();
}

void CCorvinaView::ShowProgress()
{
    SetFieldText(static_cast<QLineEdit*>(Control(IDC_CURRENT_PASS)), QString::number(document.GetPassesCount()));
    SetFieldText(static_cast<QLineEdit*>(Control(IDC_AVERAGE_ERROR)), QString::number(document.GetAverageError()));
}

void CCorvinaView::SetFieldText(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

void CCorvinaView::ShowPicture(Picture picture)
{
    auto* control = qobject_cast<QLabel*>(Control(IDC_DATA_PICTURE));
    if (control == nullptr || picture == shownPicture)
        return;
    const QIcon lamp = ScalablePicture(picture == Picture::Green ? QStringLiteral(":/lamps/green")
                                                                  : QStringLiteral(":/lamps/red"));
    control->setPixmap(lamp.pixmap(LampSize, control->devicePixelRatioF()));
    control->resize(LampSize);
    shownPicture = picture;
}

bool CCorvinaView::eventFilter(QObject* watched, QEvent* event)
{
    // A read-only field would take Ctrl+C as copy; here the key is Consult.
    if (event->type() == QEvent::ShortcutOverride && IsCommandKey(*static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool CCorvinaView::HasHandler(CommandId id) const
{
    return MapHasHandler<CCorvinaView>(commandMap, id);
}

bool CCorvinaView::OnCommand(CommandId id)
{
    return DispatchCommand<CCorvinaView>(*this, commandMap, id);
}

void CCorvinaView::OnFilePrint()
{
    printing.PrintWithDialog(window());
}

void CCorvinaView::OnFilePrintDirect()
{
    printing.PrintDirect();
}

void CCorvinaView::OnFilePrintPreview()
{
    printing.ShowPreview(window());
}
