#pragma once

// What one key does: the three bytes (type, p1, p2) a device keeps per key
// slot, and the function types with the exact codes the devices expect.

#include <cstdint>

namespace quillon::keys {

struct KeyAssignment {
    std::uint8_t type = 0;
    std::uint8_t p1 = 0;
    std::uint8_t p2 = 0;
    friend constexpr bool operator==(const KeyAssignment&, const KeyAssignment&) = default;
};
static_assert(sizeof(KeyAssignment) == 3);

// Never stored in a key map: the editor's name for "the key's factory assignment".
inline constexpr std::uint8_t FN_DEFAULT = 0x00;
inline constexpr std::uint8_t FN_MOUSE_BUTTON = 0x10;  // p1 = button bit
inline constexpr std::uint8_t FN_HSCROLL = 0x11;       // p1 = two nibbles, p2 = direction | amount
inline constexpr std::uint8_t FN_VSCROLL = 0x12;       // p1 = two nibbles, p2 = signed amount
inline constexpr std::uint8_t FN_DPI = 0x13;           // p1 = 1 up, 2 down, 3 cycle
inline constexpr std::uint8_t FN_FIRE = 0x14;          // p1, p2 = the fire key's two values
inline constexpr std::uint8_t FN_KEY = 0x20;           // p1 = modifier mask, p2 = HID usage
inline constexpr std::uint8_t FN_CONSUMER_ALT = 0x21;  // shown like FN_CONSUMER, never made
inline constexpr std::uint8_t FN_CONSUMER = 0x30;      // consumer usage, low byte then high
inline constexpr std::uint8_t FN_SYSTEM = 0x40;        // p1 = 1 power, 2 sleep, 4 wake up
inline constexpr std::uint8_t FN_MACRO = 0x70;         // p1 = macro number, p2 = play mode 0..3
inline constexpr std::uint8_t FN_MACRO_COUNT = 0x71;   // p1 = macro number, p2 = count
inline constexpr std::uint8_t FN_GUN = 0x72;           // mouse only: p1 = movement pattern 0..3
inline constexpr std::uint8_t FN_LAYER = 0xA0;         // the keyboard's layer key

// Types whose meaning lies in the firmware: stored and shown, never made by
// the editor, and their labels stay as they are.
constexpr bool isDeviceDefinedType(std::uint8_t type) {
    return type == 0x15 || type == 0x50 || type == 0x60 || type == FN_LAYER || type == 0xB0 ||
           type == 0xC0;
}

// Modifier bits of FN_KEY's p1.
inline constexpr std::uint8_t kModLeftCtrl = 0x01;
inline constexpr std::uint8_t kModLeftShift = 0x02;
inline constexpr std::uint8_t kModLeftAlt = 0x04;
inline constexpr std::uint8_t kModLeftWin = 0x08;
inline constexpr std::uint8_t kModRightCtrl = 0x10;
inline constexpr std::uint8_t kModRightShift = 0x20;
inline constexpr std::uint8_t kModRightAlt = 0x40;
inline constexpr std::uint8_t kModRightWin = 0x80;

constexpr KeyAssignment keyboardKey(std::uint8_t usage, std::uint8_t modifiers = 0) {
    return {FN_KEY, modifiers, usage};
}

}  // namespace quillon::keys
