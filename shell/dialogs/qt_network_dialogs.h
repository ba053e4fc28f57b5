#pragma once

#include "framework/file_chooser.h"
#include "framework/network_dialogs.h"

class QWidget;

// The network document's dialogs, modal to the main window; their "..." buttons choose files
// through chooser.
class QtNetworkDialogs : public NetworkDialogs {
public:
    QtNetworkDialogs(FileChooser& chooser, QWidget* parent) : files(chooser), parentWindow(parent) {}

    void SetParentWindow(QWidget* parent) { parentWindow = parent; }

    bool RunShapeDialog(ShapeFields& fields) override;
    bool RunTrainingDataDialog(TrainingDataFields& fields) override;
    ConsultOutcome RunConsultSheet(ConsultFields& fields) override;
    void ShowReport(const std::string& text) override;

private:
    QWidget* Owner() const;

    FileChooser& files;
    QWidget* parentWindow;
};
