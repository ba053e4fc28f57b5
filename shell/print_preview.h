#pragma once

#include <QPrintPreviewDialog>

class CCorvinaDoc;
class QAction;

// The status report's print preview: Qt's preview with a Close button ending its toolbar, and
// its page setup button showing the page setup that suits the printer.
class CPrintPreview : public QPrintPreviewDialog {
    Q_OBJECT

public:
    CPrintPreview(QPrinter& printer, const CCorvinaDoc& document, QWidget* parent = nullptr);

    // "Close": ends the preview.
    QAction* CloseAction() const { return closeAction; }

    // The toolbar's page setup button.
    QAction* PageSetupAction() const { return pageSetupAction; }

private:
    void OnPageSetup();

    QPrinter& printer;
    QAction* closeAction = nullptr;
    QAction* pageSetupAction = nullptr;
};
