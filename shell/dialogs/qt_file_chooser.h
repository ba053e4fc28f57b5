#pragma once

#include "framework/file_chooser.h"

class QWidget;

// The framework's file dialogs as Qt's own (non-native) QFileDialog, owned by the window that
// is active when it opens. Save As asks before an existing file is replaced.
class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent) : parentWindow(parent) {}

    void SetParentWindow(QWidget* parent) { parentWindow = parent; }

    bool ChooseFile(const FileChooserRequest& request, std::string& path) override;

private:
    QWidget* parentWindow;
};
