#pragma once

// The in-memory records a profile content file is copied into and assembled
// from. They are byte containers of the exact sizes; the lighting, mouse and
// key code give the bytes their meaning. The file record of a list is built
// from them and spread back into them without changing any byte (the mouse's
// pointer speed and wheel lines excepted: a stored 0 loads as 1).

#include <array>
#include <cstddef>
#include <cstdint>

#include "profiles/profile_lists.h"

namespace quillon::profiles {

inline constexpr std::size_t kSlotRecordSize = 64;
inline constexpr std::size_t kKeyboardStateSize = 21;
inline constexpr std::size_t kMouseStateSize = 23;
inline constexpr std::size_t kMousepadStateSize = 21;
// customSet, paintColour red, green, blue, then five sets of 378 bytes.
inline constexpr std::size_t kColourSetSize = 378;
inline constexpr std::size_t kColourSetCount = 5;
inline constexpr std::size_t kCustomColourStoreSize = 4 + kColourSetCount * kColourSetSize;

using SlotRecord = std::array<std::uint8_t, kSlotRecordSize>;

// The mouse's system settings a mouse lighting profile carries along.
struct MouseSystemSettings {
    std::uint8_t pointerSpeed = 10;  // 1..20
    std::uint8_t wheelLines = 3;     // 1..10
};

struct KeyboardLightingMemory {
    std::array<std::uint8_t, kKeyboardStateSize> keyboardState{};
    SlotRecord firstSlotRecord{};
    std::array<std::uint8_t, kCustomColourStoreSize> customColours{};
};

struct MouseLightingMemory {
    std::array<std::uint8_t, kMouseStateSize> mouseState{};
    SlotRecord firstSlotRecord{};
    std::uint8_t pointerSpeed = 10;  // 1..20
    std::uint8_t wheelLines = 3;     // 1..10
};

struct MousepadLightingMemory {
    std::array<std::uint8_t, kMousepadStateSize> mousepadState{};
    SlotRecord firstSlotRecord{};
};

struct KeyMapMemory {
    std::array<std::uint8_t, kKeyRecordSize> bytes{};
};

// The file records.
using KeyboardLightingRecord = std::array<std::uint8_t, kKeyboardLightingRecordSize>;
using MouseLightingRecord = std::array<std::uint8_t, kMouseLightingRecordSize>;
using MousepadLightingRecord = std::array<std::uint8_t, kMousepadLightingRecordSize>;
using KeyRecord = std::array<std::uint8_t, kKeyRecordSize>;

// Offsets inside the file records.
inline constexpr std::size_t kCustomColoursOffset = 64;  // keyboard: customSet
inline constexpr std::size_t kPointerSpeedOffset = 23;   // mouse
inline constexpr std::size_t kWheelLinesOffset = 24;     // mouse

static_assert(kSlotRecordSize + kCustomColourStoreSize == kKeyboardLightingRecordSize);

// Loading: the record goes into memory as the file layout says.
void applyRecord(const KeyboardLightingRecord& record, KeyboardLightingMemory& memory);
void applyRecord(const MouseLightingRecord& record, MouseLightingMemory& memory);
void applyRecord(const MousepadLightingRecord& record, MousepadLightingMemory& memory);
void applyRecord(const KeyRecord& record, KeyMapMemory& memory);

// Saving: the device state first goes into the first bytes of the first slot
// record (and for the mouse the pointer speed and wheel lines into bytes 23 and
// 24 of it), which becomes the record's first 64 bytes.
KeyboardLightingRecord assembleRecord(KeyboardLightingMemory& memory);
MouseLightingRecord assembleRecord(MouseLightingMemory& memory);
MousepadLightingRecord assembleRecord(MousepadLightingMemory& memory);
KeyRecord assembleRecord(const KeyMapMemory& memory);

}  // namespace quillon::profiles
