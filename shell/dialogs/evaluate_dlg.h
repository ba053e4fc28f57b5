#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

#include "framework/file_chooser.h"

class QLineEdit;

// What the "Evaluate" dialog asks: the data file, and the classes the outputs stand for (0 for
// none).
struct EvaluateFields {
    std::string path;
    int32_t classes = 0;
};

// "Evaluate": a data file of inputs and outputs, chosen with the data-file chooser, and an
// optional number of classes, checked against the network's outputs before the dialog closes.
class CEvaluateDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int PathEditId = 1101;
    static constexpr int BrowseButtonId = 1102;
    static constexpr int ClassesEditId = 1103;

    CEvaluateDlg(FileChooser& chooser, int32_t outputs, QWidget* parent = nullptr);

    void SetFields(const EvaluateFields& fields);
    // What the controls held on OK.
    const EvaluateFields& Fields() const { return fields; }

private:
    void OnBrowse();
    void OnOK();

    FileChooser& chooser;
    int32_t outputCount;
    EvaluateFields fields;
    QLineEdit* pathEdit = nullptr;
    QLineEdit* classesEdit = nullptr;
};
