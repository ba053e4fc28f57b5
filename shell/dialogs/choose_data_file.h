#pragma once

#include <string>

#include "framework/file_chooser.h"

// What the file dialog for data files shows: data, text and all files, default extension "dat".
FileChooserRequest DataFileRequest(FileDialogMode mode);

// Lets the user choose a data file through chooser, with path as the initial file name. On OK
// path becomes the chosen file's full path and the result is true; otherwise path is unchanged.
bool ChooseDataFile(FileChooser& chooser, FileDialogMode mode, std::string& path);
