#include <QSettings>
#include <QTemporaryDir>

#include "tests/support/qt_test_main.h"

// The shell's tests keep their settings in a folder of their own.
int main(int argc, char** argv)
{
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    return RunQtTests(argc, argv);
}
