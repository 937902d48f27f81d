#pragma once

// The records a device's settings slot holds: the lighting choices and the
// state records of each device kind that embed them. Every record is plain
// bytes in the order the devices' slot records and the profile files hold
// them, so copying one is a byte copy.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

namespace quillon::link {

struct LightingRecord {
    std::uint8_t mode = 0;
    std::uint8_t brightness = 0;   // 0..14, index of BrightnessTable
    std::uint8_t speed = 0;        // 0..14, 0 fastest
    std::uint8_t direction = 0;    // 1 first direction (FXL), 0 second (FXR)
    std::uint8_t multiColour = 0;  // 1: hues from the colour wheel
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const LightingRecord&, const LightingRecord&) = default;
};
static_assert(sizeof(LightingRecord) == 8);

struct KeyboardState {
    std::uint8_t slot = 0;
    LightingRecord lighting;
    // Read from and written back to the keyboard's slot record; not lighting's.
    std::array<std::uint8_t, 12> carried{};

    friend bool operator==(const KeyboardState&, const KeyboardState&) = default;
};
static_assert(sizeof(KeyboardState) == 21);

struct MouseState {
    std::uint8_t slot = 0;
    LightingRecord lighting;
    std::uint8_t effectByte = 0;  // colour-set counter of the gradient breathing
    std::uint8_t carried = 0;
    std::uint8_t dpiRed = 0;
    std::uint8_t dpiGreen = 0;
    std::uint8_t dpiBlue = 0;
    std::uint8_t reportRate = 0;
    std::array<std::uint8_t, 6> dpiLevels{};
    std::uint8_t dpiStage = 0;
    std::uint8_t liftOff = 0;

    friend bool operator==(const MouseState&, const MouseState&) = default;
};
static_assert(sizeof(MouseState) == 23);

struct MousepadState {
    std::uint8_t slot = 0;
    LightingRecord lighting;
    std::uint8_t effectByte = 0;  // effect counter of the mousepad breathing
    std::array<std::uint8_t, 11> carried{};

    friend bool operator==(const MousepadState&, const MousepadState&) = default;
};
static_assert(sizeof(MousepadState) == 21);

// Plain-byte views for the profile files and the device writes.
template <class Record>
inline std::array<std::uint8_t, sizeof(Record)> toBytes(const Record& r) {
    static_assert(std::is_trivially_copyable_v<Record> && alignof(Record) == 1);
    std::array<std::uint8_t, sizeof(Record)> out{};
    std::memcpy(out.data(), &r, sizeof(Record));
    return out;
}

// False (record untouched) when `bytes` is shorter than the record.
template <class Record>
[[nodiscard]] inline bool fromBytes(std::span<const std::uint8_t> bytes, Record& r) {
    static_assert(std::is_trivially_copyable_v<Record> && alignof(Record) == 1);
    if (bytes.size() < sizeof(Record))
        return false;
    std::memcpy(&r, bytes.data(), sizeof(Record));
    return true;
}

}  // namespace quillon::link
