#pragma once

#include "framework/message_boxes.h"

class QWidget;

// The framework's message boxes as QMessageBox, captioned "Corvina", modal to the main window
// (or to the dialog open over it).
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent) : parentWindow(parent) {}

    void SetParentWindow(QWidget* parent) { parentWindow = parent; }

    // Without a display nobody could answer a box: messages go to standard error instead, and
    // questions get their cautious answer (No, Discard).
    void WriteToStandardError(bool toStandardError) { console = toStandardError; }

    Answer AskYesNo(const std::string& text) override;
    void ShowStopMessage(const std::string& text) override;
    SaveChangesAnswer AskSaveChanges(const std::string& documentTitle) override;

    // Shown in the status bar of the parent window when it is a main window; it stays until
    // another message or prompt replaces it.
    void ShowStatusNote(const std::string& text) override;

private:
    QWidget* parentWindow;
    bool console = false;
};
