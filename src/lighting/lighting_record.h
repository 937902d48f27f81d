#pragma once

// The lighting choices of one device kind and the device state records that
// embed them. Every record is plain bytes in the order the profile files and
// the devices' slot records hold them, so copying one is a byte copy.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

namespace quillon::lighting {

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

inline constexpr std::size_t kCustomSetCount = 5;
inline constexpr std::size_t kCustomSetBytes = 378;
using CustomSet = std::array<std::uint8_t, kCustomSetBytes>;

// Per-key colours of the keyboard's custom mode. The first four bytes and the
// five sets are what the ".led" file holds, in this order.
struct CustomColourStore {
    std::uint8_t customSet = 0;  // 0..4; a larger stored value counts as 0
    std::uint8_t paintRed = 0;
    std::uint8_t paintGreen = 0;
    std::uint8_t paintBlue = 0;
    std::array<CustomSet, kCustomSetCount> sets{};
    std::uint8_t brushOn = 1;  // 1: a click paints, 0: a click clears

    // The set in use; a stored index outside the five sets selects set 0.
    const CustomSet& current() const { return sets[customSet < kCustomSetCount ? customSet : 0]; }
    CustomSet& current() { return sets[customSet < kCustomSetCount ? customSet : 0]; }

    friend bool operator==(const CustomColourStore&, const CustomColourStore&) = default;
};

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

}  // namespace quillon::lighting
