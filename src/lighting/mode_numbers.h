#pragma once

// The mode numbers (rows of the mode combos) the code tells apart. The full
// list of each kind's modes is its table in mode_views.h.

#include <cstdint>

namespace quillon::lighting {

inline constexpr std::uint8_t kRgbRippleMode = 5;
inline constexpr std::uint8_t kRgbCustomMode = 11;

inline constexpr std::uint8_t kOneColourRippleMode = 4;
inline constexpr std::uint8_t kOneColourCustomMode = 10;

inline constexpr std::uint8_t kMembraneStackMode = 4;
inline constexpr std::uint8_t kMembraneCustomMode = 6;

inline constexpr std::uint8_t kMouseRunningLightMode = 4;
// Has a timing row but sends no frame.
inline constexpr std::uint8_t kMouseUntimedMode = 8;

inline constexpr std::uint8_t kMousepadBarMode = 4;
inline constexpr std::uint8_t kMousepadRunningLightMode = 5;
inline constexpr std::uint8_t kMousepadSweepMode = 7;

}  // namespace quillon::lighting
