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

namespace {

// The brightness files of the lock lights of key, found once: the devices stay while we run.
const QStringList& BrightnessFiles(LockKey key)
{
    static const auto find = [](const char* suffix) {
        const QDir leds(QStringLiteral("/sys/class/leds"));
        QStringList files;
        for (const QString& name : leds.entryList({QStringLiteral("*") + suffix}, QDir::Dirs | QDir::System))
            files << leds.filePath(name + QStringLiteral("/brightness"));
        return files;
    };
    static const QStringList caps = find("::capslock");
    static const QStringList num = find("::numlock");
    static const QStringList scroll = find("::scrolllock");
    return key == LockKey::Caps ? caps : key == LockKey::Num ? num : scroll;
}

}  // namespace

// Linux shows the keyboards' lock lights as LED devices that anyone may read.
bool IsLockKeyOn(LockKey key)
{
    for (const QString& path : BrightnessFiles(key)) {
        QFile brightness(path);
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed() != "0")
            return true;
    }
    return false;
}

#endif
