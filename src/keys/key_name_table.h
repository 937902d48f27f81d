#pragma once

// The key names: each entry ties a virtual-key code (the codes the input
// backends are mapped to, platform/input/key_codes.h) to the assignment it
// makes and the language key of its name. Entries 0..103 are the keyboard
// keys; only they can be captured or recorded.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "keys/key_assignment.h"

namespace quillon::keys {

struct KeyNameEntry {
    std::uint16_t virtualKey;
    KeyAssignment assignment;
    std::string_view languageKey;

    // The name without the "keyboard_key_" prefix, as the key views show it.
    constexpr std::string_view shortName() const { return languageKey.substr(13); }
};

inline constexpr std::size_t kKeyNameCount = 125;
inline constexpr std::size_t kKeyboardKeyNameCount = 104;

// The program's own virtual-key codes above 0xFF.
inline constexpr std::uint16_t kVkReturn = 0x0D;
inline constexpr std::uint16_t kVkKeypadEnter = 0x101;
inline constexpr std::uint16_t kVkPower = 0x103;
inline constexpr std::uint16_t kVkSleep = 0x104;
inline constexpr std::uint16_t kVkWakeUp = 0x105;

extern const std::array<KeyNameEntry, kKeyNameCount> kKeyNameTable;

// The first entry with that virtual-key code; nullptr when none.
const KeyNameEntry* findKeyByVirtualKey(std::uint16_t virtualKey);
// The first entry whose p1 and p2 are the assignment's (its type is not compared).
const KeyNameEntry* findKeyByParams(const KeyAssignment& a);
// The keyboard key (entries 0..103) of that short name ("A", "LCtrl", "Num Enter"),
// letters compared without regard to case; nullptr when none.
const KeyNameEntry* findKeyboardKeyByName(std::string_view shortName);
// Whether the entry is one of the capturable keyboard keys.
bool isKeyboardKey(const KeyNameEntry& entry);

}  // namespace quillon::keys
