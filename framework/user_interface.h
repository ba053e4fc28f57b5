#pragma once

#include "framework/file_chooser.h"
#include "framework/message_boxes.h"
#include "framework/network_dialogs.h"
#include "framework/work_progress.h"

// Everything through which documents talk to the user. The desktop shell provides the Qt
// implementations; tests provide scripted ones.
struct UserInterface {
    MessageBoxes& messages;
    FileChooser& files;
    NetworkDialogs& dialogs;
    ProgressDisplay& progress;
};
