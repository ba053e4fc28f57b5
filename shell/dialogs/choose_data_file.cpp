#include "shell/dialogs/choose_data_file.h"

FileChooserRequest DataFileRequest(FileDialogMode mode)
{
    FileChooserRequest request;
    request.mode = mode;
    request.filters = {
        {"Data Files (*.dat)", "*.dat"},
        {"Text Files (*.txt)", "*.txt"},
        {"All Files (*.*)", "*"},
    };
    request.defaultExtension = "dat";
    return request;
}

bool ChooseDataFile(FileChooser& chooser, FileDialogMode mode, std::string& path)
{
    std::string chosen = path;
    if (!chooser.ChooseFile(DataFileRequest(mode), chosen))
        return false;
    path = chosen;
    return true;
}
