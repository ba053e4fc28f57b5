#pragma once

#include <QString>
#include <QStringList>

// Renders every dialog, filled with sample values, to a PNG in folder: new_network.png,
// about.png, training_data.png, consult_singular.png, consult_plural.png, report.png and
// ratio_message.png. Returns the files written.
QStringList RenderDialogs(const QString& folder);
