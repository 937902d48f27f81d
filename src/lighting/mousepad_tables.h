#pragma once

// The mousepad's 15 LEDs form a U: 0..4 down the left edge, 4..10 along the
// bottom, 10..14 up the right edge.

#include <array>
#include <cstddef>
#include <cstdint>

namespace quillon::lighting {

inline constexpr std::size_t kMousepadLedCount = 15;
inline constexpr std::size_t kMousepadFrameBytes = 45;
// Breathing, static and click flash send the 45 bytes and 15 zero bytes.
inline constexpr std::size_t kMousepadLongFrameBytes = 60;

// Seven x positions from left to right; kNoPadLed pads the short columns.
inline constexpr std::size_t kMousepadColumnCount = 7;
inline constexpr std::uint8_t kNoPadLed = 0xFF;
inline constexpr std::array<std::array<std::uint8_t, 5>, kMousepadColumnCount> MousepadColumns{{
    {{0, 1, 2, 3, 4}},
    {{5, kNoPadLed, kNoPadLed, kNoPadLed, kNoPadLed}},
    {{6, kNoPadLed, kNoPadLed, kNoPadLed, kNoPadLed}},
    {{7, kNoPadLed, kNoPadLed, kNoPadLed, kNoPadLed}},
    {{8, kNoPadLed, kNoPadLed, kNoPadLed, kNoPadLed}},
    {{9, kNoPadLed, kNoPadLed, kNoPadLed, kNoPadLed}},
    {{14, 13, 12, 11, 10}},
}};

}  // namespace quillon::lighting
