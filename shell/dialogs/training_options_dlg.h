#pragma once

#include <QDialog>
#include <cstdint>

#include "document/learning_settings.h"
#include "framework/file_chooser.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Training Options": how learning rounds, and whether the best network is kept while training:
// every how many passes it is evaluated, on the training patterns or on a validation file, and
// the classes its accuracy counts. Every field is checked before the dialog closes.
class CTrainingOptionsDlg : public QDialog {
    Q_OBJECT

public:
    CTrainingOptionsDlg(FileChooser& chooser, int32_t outputs, QWidget* parent = nullptr);

    void SetSettings(const LearningSettings& settings);
    // What the controls held on OK.
    const LearningSettings& Settings() const { return settings; }

private:
    void OnBrowse();
    void OnOK();
    void EnableKeepBestControls();

    FileChooser& chooser;
    int32_t outputCount;
    LearningSettings settings;
    QRadioButton* classicButton = nullptr;
    QRadioButton* preciseButton = nullptr;
    QCheckBox* keepBestBox = nullptr;
    QLineEdit* everyEdit = nullptr;
    QRadioButton* onPatternsButton = nullptr;
    QRadioButton* onFileButton = nullptr;
    QLineEdit* validationEdit = nullptr;
    QPushButton* browseButton = nullptr;
    QLineEdit* classesEdit = nullptr;
};
