#include "shell/lock_key_state.h"

#include <QtGlobal>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#endif

#ifdef CORVINA_XKB
#include "shell/xkb_lock_keys.h"
#endif

#ifdef Q_OS_WIN

bool IsLockKeyOn(LockKey key)
{
    const int virtualKey = key == LockKey::Caps ? VK_CAPITAL : key == LockKey::Num ? VK_NUMLOCK : VK_SCROLL;
    return (GetKeyState(virtualKey) & 1) != 0;
}

#else

namespace {

// The X server's own lights, when the program runs on X11.
std::optional<bool> WindowSystemState(LockKey key)
{
#ifdef CORVINA_XKB
    if (const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        return XkbLockKeyState(x11->display(), key);
#endif
    Q_UNUSED(key);
    return std::nullopt;
}

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

// Linux shows the lights of the keyboards attached to this machine as LED devices that anyone
// may read; a remote or virtual session's keyboard is not among them.
bool LocalKeyboardLight(LockKey key)
{
    for (const QString& path : BrightnessFiles(key)) {
        QFile brightness(path);
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed() != "0")
            return true;
    }
    return false;
}

}  // namespace

// What the window system reports where it can (X11); elsewhere (Wayland has no way to ask) the
// lights of the local keyboards.
bool IsLockKeyOn(LockKey key)
{
    if (const std::optional<bool> reported = WindowSystemState(key))
        return *reported;
    return LocalKeyboardLight(key);
}

#endif
