#pragma once

#include "framework/user_interface.h"
#include "shell/dialogs/qt_file_chooser.h"
#include "shell/dialogs/qt_message_boxes.h"
#include "shell/dialogs/qt_network_dialogs.h"
#include "shell/dialogs/qt_progress_display.h"

class QWidget;

// The Qt message boxes, file dialogs and network dialogs, gathered as the UserInterface the
// document and the document manager talk through. Everything it shows is modal to the parent
// window.
class QtUserInterface {
public:
    explicit QtUserInterface(QWidget* parent = nullptr);

    QtUserInterface(const QtUserInterface&) = delete;
    QtUserInterface& operator=(const QtUserInterface&) = delete;

    // The window the boxes and dialogs belong to, normally the main frame.
    void SetParentWindow(QWidget* parent);

    UserInterface& Interface() { return userInterface; }
    QtProgressDisplay& Progress() { return progress; }

    // Messages on standard error instead of boxes, for work done without a display.
    void WriteMessagesToStandardError() { messages.WriteToStandardError(true); }

private:
    QtMessageBoxes messages;
    QtFileChooser files;
    QtNetworkDialogs dialogs;
    QtProgressDisplay progress;
    UserInterface userInterface;
};
