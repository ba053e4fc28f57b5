#pragma once

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QPrinter;

// Page setup for a printer that writes PDF files, which Qt's own page setup dialog refuses (it
// warns that it cannot be used on non-native printers): the paper size and the orientation.
class CPageSetupDlg : public QDialog {
    Q_OBJECT

public:
    CPageSetupDlg(QPrinter& printer, QWidget* parent = nullptr);

    // Gives the printer the chosen paper and orientation, then closes.
    void accept() override;

    QComboBox* PaperSizes() const { return paperSizes; }
    // The orientation buttons: QPageLayout::Portrait and QPageLayout::Landscape are their ids.
    QButtonGroup* Orientations() const { return orientations; }

private:
    QPrinter& printer;
    QComboBox* paperSizes;
    QButtonGroup* orientations;
};

// Shows the page setup that suits printer: Qt's dialog for a real printer, CPageSetupDlg for a
// PDF file. True when the user confirmed it.
bool ShowPageSetup(QPrinter& printer, QWidget* parent);
