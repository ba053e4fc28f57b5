#pragma once

#include <optional>

#include "shell/lock_key_state.h"

typedef struct _XDisplay Display;

// The state of key's light as the X server's keyboard extension reports it: right also in remote
// and virtual sessions, whose keyboards have no lights of their own. Nothing when the server does
// not know the indicator.
std::optional<bool> XkbLockKeyState(Display* display, LockKey key);
