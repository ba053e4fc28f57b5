#include "shell/desktop_identity.h"

#include <QApplication>
#include <array>

QIcon DesktopIcon()
{
    QIcon icon;
    for (const int size : std::array{16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/app/%1").arg(size), QSize(size, size));
    return icon;
}

void SetDesktopIdentity()
{
    QApplication::setApplicationName(DesktopApplicationName);
    QApplication::setApplicationVersion(QStringLiteral(CORVINA_VERSION));
    QGuiApplication::setDesktopFileName(DesktopFileName);
    QApplication::setWindowIcon(DesktopIcon());
}
