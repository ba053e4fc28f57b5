#pragma once

#include <string>
#include <vector>

// Which of the platform's file dialogs to show.
enum class FileDialogMode { Open, SaveAs };

// One entry of a file dialog's filter list, such as {"Data Files (*.dat)", "*.dat"}.
struct FileFilter {
    std::string description;
    std::string pattern;
};

// What a file dialog is asked to show.
struct FileChooserRequest {
    FileDialogMode mode = FileDialogMode::Open;
    std::vector<FileFilter> filters;  // the first is the initial filter
    std::string defaultExtension;     // without the dot; added to a name typed without one
};

// The platform's Open and Save As dialogs. Save As asks before overwriting an existing file.
class FileChooser {
public:
    virtual ~FileChooser() = default;

    // Shows the dialog with path as the initial file name. On OK, path becomes the chosen
    // file's full path and the result is true; otherwise path is left as it was.
    virtual bool ChooseFile(const FileChooserRequest& request, std::string& path) = 0;
};
