#pragma once

// A key map: the 512-byte record of one device in one profile, three bytes
// (type, p1, p2) per key slot. Bytes past the device's slots travel unchanged.

#include <array>
#include <cstddef>
#include <cstdint>

#include "keys/key_assignment.h"

namespace quillon::keys {

inline constexpr std::size_t kKeyMapSize = 512;
inline constexpr std::size_t kMaxKeyboardKeys = kKeyMapSize / 3;  // 170
inline constexpr std::size_t kMouseKeySlots = 42;
// The mouse buttons the editor shows: left, wheel, right, forward, back, DPI.
inline constexpr std::size_t kMouseButtons = 6;
// Mouse slots searched for another left click before the left button may change.
inline constexpr std::size_t kMouseLeftClickSlots = 9;

using KeyMap = std::array<std::uint8_t, kKeyMapSize>;

// A slot past the record reads as type 0 and is never written.
constexpr KeyAssignment assignmentAt(const KeyMap& map, std::size_t slot) {
    if (slot >= kMaxKeyboardKeys)
        return {};
    return {map[3 * slot], map[3 * slot + 1], map[3 * slot + 2]};
}

constexpr bool setAssignment(KeyMap& map, std::size_t slot, const KeyAssignment& a) {
    if (slot >= kMaxKeyboardKeys)
        return false;
    map[3 * slot] = a.type;
    map[3 * slot + 1] = a.p1;
    map[3 * slot + 2] = a.p2;
    return true;
}

}  // namespace quillon::keys
