#pragma once

#include <string>

#include "document/c_export.h"

// Writes files as folder/name.h and folder/name.c, replacing any files there. Both are written
// whole beside their targets before either target is replaced, so a missing or read-only folder
// or a full disk leaves the folder as it was. On failure returns false with the reason in error.
bool WriteCExportFiles(const std::string& folder, const std::string& name, const CExportFiles& files,
                       std::string& error);
