#pragma once

#include <QDialog>

#include "framework/file_chooser.h"
#include "framework/network_dialogs.h"

class QCheckBox;
class QLineEdit;

// "Training Data": the file to import and whether to build new transformation tables from it.
class CTrainDataDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int PathEditId = 1003;
    static constexpr int BrowseButtonId = 1010;
    static constexpr int MakeNewTablesBoxId = 1019;

    // The "&..." button chooses the file through chooser.
    explicit CTrainDataDlg(FileChooser& chooser, QWidget* parent = nullptr);

    // Loads the fields into the controls.
    void SetFields(const TrainingDataFields& fields);

    // What the controls held when they were last saved (on OK or a browse click).
    const TrainingDataFields& Fields() const { return fields; }

    // Keeps what was typed, lets the user choose the file, and shows the outcome.
    void OnBrowse();

private:
    void LoadControls();
    void SaveControls();
    void OnOK();

    FileChooser& chooser;
    TrainingDataFields fields;
    QLineEdit* pathEdit = nullptr;
    QCheckBox* makeNewTablesBox = nullptr;
};
