#pragma once

// The keyboard's lock keys.
enum class LockKey { Caps, Num, Scroll };

// Whether key is locked, as far as the platform tells; false where it does not.
bool IsLockKeyOn(LockKey key);
