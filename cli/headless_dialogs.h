#pragma once

#include <string>

#include "framework/file_chooser.h"
#include "framework/network_dialogs.h"

// The dialogs of a run without a display: every one is cancelled. Commands pass what a dialog
// would ask for on the command line and never open one.
class HeadlessDialogs : public NetworkDialogs, public FileChooser {
public:
    bool RunShapeDialog(ShapeFields&) override { return false; }
    bool RunTrainingDataDialog(TrainingDataFields&) override { return false; }
    ConsultOutcome RunConsultSheet(ConsultFields&) override { return {}; }
    void ShowReport(const std::string&) override {}
    bool ChooseFile(const FileChooserRequest&, std::string&) override { return false; }
};
