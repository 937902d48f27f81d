#pragma once

// The number rules of the mouse view's system settings and colour edits:
// what a slider position or an edit's text becomes.

#include <cstdint>
#include <string_view>

#include "profiles/ini_file.h"

namespace quillon::mouse {

// An edit's text reads as its leading decimal digits (0 when it starts
// otherwise), saturated far above any limit applied here.
using profiles::leadingDecimal;

inline constexpr std::uint8_t kLowestPointerSpeed = 1;
inline constexpr std::uint8_t kHighestPointerSpeed = 20;
inline constexpr int kFewestWheelLines = 1;
inline constexpr int kMostWheelLines = 10;
// What the factory reset gives the system.
inline constexpr std::uint8_t kResetPointerSpeed = 10;
inline constexpr int kResetPointerSlider = 5;
inline constexpr int kResetWheelLines = 3;

// Slider position v (negative counts as 0) → speed (v + 1) × 2, within 1..20.
std::uint8_t pointerSpeedOfSlider(std::int64_t value);
// The position that shows a stored speed (0 counts as 1); never written back.
int sliderOfPointerSpeed(std::uint8_t speed);

// The wheel-line buttons: the count stays within 1..10 whatever the edit holds.
int wheelLinesUp(int shown);
int wheelLinesDown(int shown);

// A colour channel typed into an edit: 0..255, and whether the text must be
// replaced by "255".
struct TypedChannel {
    std::uint8_t value = 0;
    bool clamped = false;
};
TypedChannel typedChannel(std::string_view text);

}  // namespace quillon::mouse
