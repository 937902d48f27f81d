#pragma once

// The lighting choices of one device kind, the device state records that
// embed them (kept with the device's slot records, in link/), and the
// keyboard's per-key colours.

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/device_state.h"

namespace quillon::lighting {

using link::fromBytes;
using link::KeyboardState;
using link::LightingRecord;
using link::MousepadState;
using link::MouseState;
using link::toBytes;

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

}  // namespace quillon::lighting
