#include "shell/report_printing.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "framework/message_boxes.h"
#include "shell/painter_report_canvas.h"
#include "shell/print_preview.h"
#include "shell/status_report_page.h"

ReportPrinting::ReportPrinting(QPrinter& targetPrinter, const CCorvinaDoc& doc, MessageBoxes& messageBoxes)
    : printer(targetPrinter), document(doc), messages(messageBoxes)
{
}

void ReportPrinting::PrintWithDialog(QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, 1);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintDirect();
}

bool ReportPrinting::PrintDirect()
{
    return PrintOn(printer);
}

bool ReportPrinting::PrintOn(QPrinter& target)
{
    QPainter painter;
    if (!painter.begin(&target)) {
        const QString name = target.outputFileName().isEmpty() ? target.printerName() : target.outputFileName();
        messages.ShowStopMessage("The status report could not be printed on \"" + name.toStdString() +
                                 "\": the printer is not available.");
        return false;
    }
    PainterReportCanvas canvas(painter);
    DrawStatusReportPage(canvas, document);
    return painter.end();
}

void ReportPrinting::ShowPreview(QWidget* parent)
{
    CPrintPreview preview(printer, document, parent);
    preview.exec();
}
