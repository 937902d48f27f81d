#pragma once

// The keyboard picture: 126 on-screen positions in six rows of 21, and for
// each the factory assignment of the key drawn there. An empty position holds
// a key without modifiers or usage.

#include <array>
#include <cstddef>

#include "keys/key_assignment.h"

namespace quillon::keys {

inline constexpr std::size_t kKeyPositions = 126;
inline constexpr std::size_t kKeyPositionsPerRow = 21;

// clang-format off
inline constexpr std::array<KeyAssignment, kKeyPositions> LayoutDefaults = [] {
    constexpr KeyAssignment empty = keyboardKey(0x00);
    auto k = [](std::uint8_t usage) { return keyboardKey(usage); };
    auto mod = [](std::uint8_t mask) { return keyboardKey(0x00, mask); };
    return std::array<KeyAssignment, kKeyPositions>{{
        // Esc, F1..F12, Print Scr, Scroll Lock, Pause
        k(0x29), k(0x3A), k(0x3B), k(0x3C), k(0x3D), k(0x3E), k(0x3F), k(0x40), k(0x41), k(0x42),
        k(0x43), k(0x44), k(0x45), k(0x46), k(0x47), k(0x48), empty, empty, empty, empty, empty,
        // `, 1..9, 0, -, =, BackSpace, Insert, Home, Page Up, Num Lock, Num /, Num *, Num -
        k(0x35), k(0x1E), k(0x1F), k(0x20), k(0x21), k(0x22), k(0x23), k(0x24), k(0x25), k(0x26),
        k(0x27), k(0x2D), k(0x2E), k(0x2A), k(0x49), k(0x4A), k(0x4B), k(0x53), k(0x54), k(0x55),
        k(0x56),
        // Tab, Q..P, [, ], backslash, Delete, End, Page Down, Num 7..9
        k(0x2B), k(0x14), k(0x1A), k(0x08), k(0x15), k(0x17), k(0x1C), k(0x18), k(0x0C), k(0x12),
        k(0x13), k(0x2F), k(0x30), k(0x31), k(0x4C), k(0x4D), k(0x4E), k(0x5F), k(0x60), k(0x61),
        empty,
        // Caps Lock, A..L, ;, ', Enter, Num 4..6
        k(0x39), k(0x04), k(0x16), k(0x07), k(0x09), k(0x0A), k(0x0B), k(0x0D), k(0x0E), k(0x0F),
        k(0x33), k(0x34), k(0x28), k(0x5C), k(0x5D), k(0x5E), empty, empty, empty, empty, empty,
        // LShift, Z..M, comma, ., /, RShift, Up, Num 1..3, the extra ISO key at 102
        mod(kModLeftShift), k(0x1D), k(0x1B), k(0x06), k(0x19), k(0x05), k(0x11), k(0x10),
        k(0x36), k(0x37), k(0x38), mod(kModRightShift), k(0x52), k(0x59), k(0x5A), k(0x5B),
        empty, empty, k(0x64), empty, empty,
        // LCtrl, LWin, LAlt, Space, RAlt, layer key, App, RCtrl, Left, Down, Right,
        // Num 0, Decimal, Num Enter, Num +, RWin at 125
        mod(kModLeftCtrl), mod(kModLeftWin), mod(kModLeftAlt), k(0x2C), mod(kModRightAlt),
        KeyAssignment{FN_LAYER, 0x02, 0x02}, k(0x65), mod(kModRightCtrl), k(0x50), k(0x51),
        k(0x4F), k(0x62), k(0x63), k(0x58), k(0x57), empty, empty, empty, empty, empty,
        mod(kModRightWin),
    }};
}();
// clang-format on

}  // namespace quillon::keys
