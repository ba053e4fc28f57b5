#include "shell/lock_key_state.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QDir>
#include <QFile>
#endif

#ifdef Q_OS_WIN

bool IsLockKeyOn(LockKey key)
{
    const int virtualKey = key == LockKey::Caps ? VK_CAPITAL : key == LockKey::Num ? VK_NUMLOCK : VK_SCROLL;
    return (GetKeyState(virtualKey) & 1) != 0;
}

#else

// Linux shows the keyboards' lock lights as LED devices that anyone may read.
bool IsLockKeyOn(LockKey key)
{
    const char* suffix = key == LockKey::Caps ? "::capslock" : key == LockKey::Num ? "::numlock" : "::scrolllock";
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList names = leds.entryList({QStringLiteral("*") + suffix}, QDir::Dirs | QDir::System);
    for (const QString& name : names) {
        QFile brightness(leds.filePath(name + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed() != "0")
            return true;
    }
    return false;
}

#endif
