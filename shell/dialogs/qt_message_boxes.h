#pragma once

#include "framework/message_boxes.h"

class QWidget;

// The framework's message boxes as QMessageBox, captioned "Corvina", modal to the main window
// (or to the dialog open over it).
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent) : parentWindow(parent) {}

    void SetParentWindow(QWidget* parent) { parentWindow = parent; }

    Answer AskYesNo(const std::string& text) override;
    void ShowStopMessage(const std::string& text) override;
    SaveChangesAnswer AskSaveChanges(const std::string& documentTitle) override;

    // Shown in the status bar of the parent window when it is a main window; it stays until
    // another message or prompt replaces it.
    void ShowStatusNote(const std::string& text) override;

private:
    QWidget* parentWindow;
};
