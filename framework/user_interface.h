#pragma once

#include "framework/file_chooser.h"
#include "framework/message_boxes.h"
#include "framework/network_dialogs.h"

// Everything through which documents talk to the user. The desktop shell provides the Qt
// implementations; tests provide scripted ones.
struct UserInterface {
    MessageBoxes& messages;
    FileChooser& files;
    NetworkDialogs& dialogs;
};
