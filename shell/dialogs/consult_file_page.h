#pragma once

#include <string>

#include <QWidget>

#include "framework/file_chooser.h"

class QLineEdit;

// The "Plural" page of the "Consult" sheet: the input file of rows to consult and the output
// file that receives one line of outputs per row.
class CConsultFilePage : public QWidget {
    Q_OBJECT

public:
    static constexpr int InputPathEditId = 1009;
    static constexpr int OutputPathEditId = 1010;
    static constexpr int BrowseInputId = 1004;
    static constexpr int BrowseOutputId = 1005;

    // The "..." buttons choose the files through chooser.
    explicit CConsultFilePage(FileChooser& chooser, QWidget* parent = nullptr);

    void SetPaths(const std::string& input, const std::string& output);

    // The paths as the controls held them when last saved.
    const std::string& InputPath() const { return inputPath; }
    const std::string& OutputPath() const { return outputPath; }

    void LoadControls();
    void SaveControls();

    void OnBrowseInput();
    void OnBrowseOutput();

private:
    void Browse(FileDialogMode mode, std::string& path);

    FileChooser& chooser;
    std::string inputPath;
    std::string outputPath;
    QLineEdit* inputEdit = nullptr;
    QLineEdit* outputEdit = nullptr;
};
