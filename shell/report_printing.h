#pragma once

class CCorvinaDoc;
class MessageBoxes;
class QPrinter;
class QWidget;

// Printing the status report of a document on a printer the application keeps.
class ReportPrinting {
public:
    ReportPrinting(QPrinter& printer, const CCorvinaDoc& document, MessageBoxes& messages);

    // Shows the print dialog, then prints; a cancelled dialog prints nothing.
    void PrintWithDialog(QWidget* parent);

    // Prints on the current printer without a dialog; false, after a message, on failure.
    bool PrintDirect();

    // Shows the page in the print preview until the user closes it.
    void ShowPreview(QWidget* parent);

private:
    bool PrintOn(QPrinter& target);

    QPrinter& printer;
    const CCorvinaDoc& document;
    MessageBoxes& messages;
};
