#pragma once

#include <QString>

// Renders the main window (a new document, then one training on data), every dialog and the
// print preview into PNG files in folder; false, with a message on standard error, on failure.
bool RenderScreenshots(const QString& folder);
