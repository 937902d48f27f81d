#pragma once

// Keys refer to macros by position, so deleting macro m changes the key maps
// of all five profiles of its device kind: a key on macro m gets its factory
// assignment back, a key on a later macro follows it down by one.

#include "keys/key_map_access.h"
#include "link/device_catalogue.h"

namespace quillon::keys {

// Whether any key of any profile holds FN_MACRO or FN_MACRO_COUNT of macro m
// (every key slot of the keyboard, the mouse's six buttons).
bool keysUseMacro(const KeyMapAccess& maps, link::DeviceKind kind, int macro);

// The fix-up in all five profiles; then the current key profile is saved.
// False when that save failed (the maps in memory are changed all the same).
[[nodiscard]] bool fixUpKeysAfterMacroDelete(KeyMapAccess& maps, link::DeviceKind kind, int macro);

}  // namespace quillon::keys
