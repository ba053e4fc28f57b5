#include "shell/dialogs/qt_user_interface.h"

QtUserInterface::QtUserInterface(QWidget* parent)
    : messages(parent), files(parent), dialogs(files, parent), progress(parent),
      userInterface{messages, files, dialogs, progress}
{
}

void QtUserInterface::SetParentWindow(QWidget* parent)
{
    messages.SetParentWindow(parent);
    files.SetParentWindow(parent);
    dialogs.SetParentWindow(parent);
    progress.SetParentWindow(parent);
}
