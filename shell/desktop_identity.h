#pragma once

#include <QIcon>
#include <QString>

// The names by which the desktop knows the program. The desktop entry is corvina.desktop, its
// Icon is "corvina" and its StartupWMClass "Corvina": Wayland takes the app id from the desktop
// file name, X11 the window class from the application name.
inline const QString DesktopApplicationName = QStringLiteral("Corvina");
inline const QString DesktopFileName = QStringLiteral("corvina");

// The application icon in every size the desktop draws it.
QIcon DesktopIcon();

// Gives the running program its application name, version, desktop file name and window icon,
// so that the window matches its desktop entry. Call once the QApplication exists.
void SetDesktopIdentity();
