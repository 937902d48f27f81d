#pragma once

// What the one-colour keyboard adds to the shared key layouts: its screen
// colour and the star order of its starlight. Its LED map, column matrix and
// paths are in key_layout_tables.h beside the RGB ones they derive from.

#include <array>
#include <cstddef>
#include <cstdint>

#include "lighting/colour_tables.h"
#include "lighting/key_layout_tables.h"

namespace quillon::lighting {

inline constexpr std::size_t kOneColourFrameBytes = 126;

// The colour the hardware gives every key (blue-violet); only the level varies.
inline constexpr Rgb kOneColourKeyColour{36, 0, 255};

// The star position runs over 0..109; positions 104..109 pick the first path key.
inline constexpr std::size_t kOneColourStarCount = 110;
inline constexpr std::array<std::uint8_t, kOneColourStarCount> OneColourStarOrder = [] {
    std::array<std::uint8_t, kOneColourStarCount> order{};
    for (std::size_t i = 0; i < kStarCount; ++i)
        order[i] = StarOrder[i];
    return order;
}();

}  // namespace quillon::lighting
