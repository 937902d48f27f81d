#pragma once

// The membrane keyboard's frame: twelve LEDs, two per lighting region, each
// LED three bytes in the order green, red, blue. The regions' keys are
// MembraneRegions (key_layout_tables.h).

#include <array>
#include <cstddef>
#include <cstdint>

#include "lighting/colour_tables.h"
#include "lighting/key_layout_tables.h"

namespace quillon::lighting {

inline constexpr std::size_t kMembraneLedCount = 12;
inline constexpr std::size_t kMembraneFrameBytes = 36;

// Region r drives the two LEDs of row r.
inline constexpr std::array<std::array<std::uint8_t, 2>, kRegionCount> MembraneRegionLeds{{
    {{5, 6}},
    {{7, 4}},
    {{3, 1}},
    {{2, 0}},
    {{8, 11}},
    {{10, 9}},
}};

// Writes the six region colours into a 36-byte (or longer) frame.
template <class Bytes>
constexpr void putMembraneRegions(Bytes& frame, const std::array<Rgb, kRegionCount>& regions) {
    for (std::size_t r = 0; r < kRegionCount; ++r) {
        for (std::uint8_t led : MembraneRegionLeds[r]) {
            frame[3 * led] = regions[r].green;
            frame[3 * led + 1] = regions[r].red;
            frame[3 * led + 2] = regions[r].blue;
        }
    }
}

}  // namespace quillon::lighting
