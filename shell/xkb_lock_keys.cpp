#include "shell/xkb_lock_keys.h"

// Xlib's headers define macros (None, Bool, Status) that clash with other code: they come last
// and only here.
#include <X11/XKBlib.h>

namespace {

const char* IndicatorName(LockKey key)
{
    switch (key) {
    case LockKey::Caps:
        return "Caps Lock";
    case LockKey::Num:
        return "Num Lock";
    case LockKey::Scroll:
        return "Scroll Lock";
    }
    return "";
}

}  // namespace

std::optional<bool> XkbLockKeyState(Display* display, LockKey key)
{
    if (display == nullptr)
        return std::nullopt;
    // Only an existing name: a server that never heard of the indicator has no light for it. Xlib
    // keeps the atoms it has looked up, so asking again on every refresh costs no round trip.
    const Atom name = XInternAtom(display, IndicatorName(key), True);
    Bool on = False;
    if (name == 0 || !XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on != False;
}
