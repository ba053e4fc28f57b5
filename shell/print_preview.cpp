#include "shell/print_preview.h"

#include <QAction>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QToolBar>

#include "shell/page_setup_dlg.h"
#include "shell/painter_report_canvas.h"
#include "shell/status_report_page.h"

namespace {

QAction* ActionNamed(const QToolBar& toolBar, const QString& text)
{
    for (QAction* action : toolBar.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

}  // namespace

CPrintPreview::CPrintPreview(QPrinter& targetPrinter, const CCorvinaDoc& document, QWidget* parent)
    : QPrintPreviewDialog(&targetPrinter, parent), printer(targetPrinter)
{
    connect(this, &QPrintPreviewDialog::paintRequested, this, [&document](QPrinter* page) {
        QPainter painter(page);
        PainterReportCanvas canvas(painter);
        DrawStatusReportPage(canvas, document);
    });
    auto* toolBar = findChild<QToolBar*>();
    if (toolBar == nullptr)
        return;
    toolBar->addSeparator();
    closeAction = toolBar->addAction(QStringLiteral("&Close"));
    closeAction->setStatusTip(QStringLiteral("Close print preview mode"));
    closeAction->setToolTip(QStringLiteral("Cancel Preview"));
    connect(closeAction, &QAction::triggered, this, &QDialog::reject);
    // Qt's own page setup would warn on standard error for a PDF printer.
    pageSetupAction = ActionNamed(*toolBar, QStringLiteral("Page setup"));
    if (pageSetupAction != nullptr) {
        disconnect(pageSetupAction, &QAction::triggered, nullptr, nullptr);
        connect(pageSetupAction, &QAction::triggered, this, &CPrintPreview::OnPageSetup);
    }
    // Wide enough that the whole toolbar shows, Close included.
    resize(size().expandedTo(QSize(toolBar->sizeHint().width(), 0)));
}

void CPrintPreview::OnPageSetup()
{
    if (!ShowPageSetup(printer, this))
        return;
    auto* page = findChild<QPrintPreviewWidget*>();
    auto* toolBar = findChild<QToolBar*>();
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    // The preview shows the orientation it was told, with its buttons checked to match.
    if (QAction* orientation = ActionNamed(*toolBar, landscape ? QStringLiteral("Landscape") : QStringLiteral("Portrait")))
        orientation->setChecked(true);
    if (landscape)
        page->setLandscapeOrientation();
    else
        page->setPortraitOrientation();
    page->updatePreview();
}
