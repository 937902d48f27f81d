#pragma once

// The key maps the emulated devices leave the factory with: one three-byte
// assignment (type, p1, p2) per key slot, in the device's slot order. The base
// key map and all five key-map slots start as this map; the bytes past the
// last slot of the 512-byte map are 0. The factory ".pro" files of the program
// folder are generated to agree with these tables.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/device_catalogue.h"

namespace quillon::emu {

struct FactoryKey {
    std::uint8_t type;
    std::uint8_t p1;
    std::uint8_t p2;
    friend constexpr bool operator==(const FactoryKey&, const FactoryKey&) = default;
};

inline constexpr std::size_t kKeymapImageSize = 512;
inline constexpr std::size_t kMouseKeySlots = 42;

namespace factory_key {
inline constexpr std::uint8_t kKey = 0x20;
inline constexpr std::uint8_t kMouseButton = 0x10;
inline constexpr std::uint8_t kDpi = 0x13;
inline constexpr std::uint8_t kLayer = 0xA0;

constexpr FactoryKey key(std::uint8_t usage) {
    return {kKey, 0x00, usage};
}
constexpr FactoryKey modifier(std::uint8_t mask) {
    return {kKey, mask, 0x00};
}
}  // namespace factory_key

// The full-size keyboard with a layer key in place of the right Windows key
// and without the extra ISO key: the keys of the on-screen layout row by row.
// clang-format off
inline constexpr std::array<FactoryKey, 104> kRgbKeyboardFactoryKeys = [] {
    using namespace factory_key;
    return std::array<FactoryKey, 104>{{
        // Esc, F1..F12, Print Scr, Scroll Lock, Pause
        key(0x29), key(0x3A), key(0x3B), key(0x3C), key(0x3D), key(0x3E), key(0x3F), key(0x40),
        key(0x41), key(0x42), key(0x43), key(0x44), key(0x45), key(0x46), key(0x47), key(0x48),
        // `, 1..9, 0, -, =, BackSpace, Insert, Home, Page Up, Num Lock, Num /, Num *, Num -
        key(0x35), key(0x1E), key(0x1F), key(0x20), key(0x21), key(0x22), key(0x23), key(0x24),
        key(0x25), key(0x26), key(0x27), key(0x2D), key(0x2E), key(0x2A), key(0x49), key(0x4A),
        key(0x4B), key(0x53), key(0x54), key(0x55), key(0x56),
        // Tab, Q W E R T Y U I O P, [, ], backslash, Delete, End, Page Down, Num 7..9
        key(0x2B), key(0x14), key(0x1A), key(0x08), key(0x15), key(0x17), key(0x1C), key(0x18),
        key(0x0C), key(0x12), key(0x13), key(0x2F), key(0x30), key(0x31), key(0x4C), key(0x4D),
        key(0x4E), key(0x5F), key(0x60), key(0x61),
        // Caps Lock, A S D F G H J K L, ;, ', Enter, Num 4..6
        key(0x39), key(0x04), key(0x16), key(0x07), key(0x09), key(0x0A), key(0x0B), key(0x0D),
        key(0x0E), key(0x0F), key(0x33), key(0x34), key(0x28), key(0x5C), key(0x5D), key(0x5E),
        // LShift, Z X C V B N M, comma, ., /, RShift, Up, Num 1..3
        modifier(0x02), key(0x1D), key(0x1B), key(0x06), key(0x19), key(0x05), key(0x11),
        key(0x10), key(0x36), key(0x37), key(0x38), modifier(0x20), key(0x52), key(0x59),
        key(0x5A), key(0x5B),
        // LCtrl, LWin, LAlt, Space, RAlt, layer key, App, RCtrl, Left, Down, Right,
        // Num 0, Decimal, Num Enter, Num +
        modifier(0x01), modifier(0x08), modifier(0x04), key(0x2C), modifier(0x40),
        FactoryKey{kLayer, 0x02, 0x02}, key(0x65), modifier(0x10), key(0x50), key(0x51),
        key(0x4F), key(0x62), key(0x63), key(0x58), key(0x57),
    }};
}();
// clang-format on

// The one-colour keyboard has the same keys in the same slots.
inline constexpr const std::array<FactoryKey, 104>& kOneColourKeyboardFactoryKeys =
    kRgbKeyboardFactoryKeys;

// The membrane keyboard adds the extra ISO key and the right Windows key after
// the 104 slots of the mechanical keyboards.
inline constexpr std::array<FactoryKey, 106> kMembraneKeyboardFactoryKeys = [] {
    std::array<FactoryKey, 106> keys{};
    for (std::size_t i = 0; i < kRgbKeyboardFactoryKeys.size(); ++i)
        keys[i] = kRgbKeyboardFactoryKeys[i];
    keys[104] = factory_key::key(0x64);
    keys[105] = factory_key::modifier(0x80);
    return keys;
}();

// Mouse slots 0..5: left, wheel, right, forward, back, DPI button; the other
// slots hold no function (a key assignment without modifiers or usage).
inline constexpr std::array<FactoryKey, kMouseKeySlots> kMouseFactoryKeys = [] {
    using namespace factory_key;
    std::array<FactoryKey, kMouseKeySlots> keys{};
    for (FactoryKey& k : keys)
        k = key(0x00);
    keys[0] = {kMouseButton, 0x01, 0x00};
    keys[1] = {kMouseButton, 0x04, 0x00};
    keys[2] = {kMouseButton, 0x02, 0x00};
    keys[3] = {kMouseButton, 0x10, 0x00};
    keys[4] = {kMouseButton, 0x08, 0x00};
    keys[5] = {kDpi, 0x03, 0x00};  // DPI cycle
    return keys;
}();

// The factory keys of one product (all mice share one map); empty for the mousepad.
constexpr std::span<const FactoryKey> factoryKeys(link::DeviceKind kind, std::uint8_t variant) {
    switch (kind) {
        case link::DeviceKind::keyboard:
            if (variant == 1)
                return kOneColourKeyboardFactoryKeys;
            if (variant == 2)
                return kMembraneKeyboardFactoryKeys;
            return kRgbKeyboardFactoryKeys;
        case link::DeviceKind::mouse:
            return kMouseFactoryKeys;
        case link::DeviceKind::mousepad:
            return {};
    }
    return {};
}

// The 512-byte key map image: slot s at bytes 3s..3s+2, zero past the last slot.
constexpr std::array<std::uint8_t, kKeymapImageSize> factoryKeymapImage(
    std::span<const FactoryKey> keys) {
    std::array<std::uint8_t, kKeymapImageSize> image{};
    for (std::size_t s = 0; s < keys.size() && 3 * s + 2 < image.size(); ++s) {
        image[3 * s] = keys[s].type;
        image[3 * s + 1] = keys[s].p1;
        image[3 * s + 2] = keys[s].p2;
    }
    return image;
}

}  // namespace quillon::emu
