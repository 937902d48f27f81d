#pragma once

// The generators of the RGB keyboard's modes 0..15 and the seeding steps run
// when a mode is selected. Each fills the 378-byte frame (LED n at 3n: red,
// green, blue) and the keyboard's screen mirror.

#include <array>
#include <cstdint>

#include "lighting/effect_context.h"

namespace quillon::lighting {

inline constexpr std::size_t kRgbFrameBytes = 378;

SendRule rgbStatic(EffectContext& ctx);      // 0
SendRule rgbBreathing(EffectContext& ctx);   // 1
SendRule rgbWave(EffectContext& ctx);        // 2
SendRule rgbSpectrum(EffectContext& ctx);    // 3
SendRule rgbSpiral(EffectContext& ctx);      // 4
SendRule rgbRipple(EffectContext& ctx);      // 5
SendRule rgbTrail(EffectContext& ctx);       // 6, 12, 15
SendRule rgbRain(EffectContext& ctx);        // 7
SendRule rgbStarlight(EffectContext& ctx);   // 8
SendRule rgbPulseField(EffectContext& ctx);  // 9
SendRule rgbOff(EffectContext& ctx);         // 10
SendRule rgbCustom(EffectContext& ctx);      // 11
SendRule rgbRings(EffectContext& ctx);       // 13
SendRule rgbPulseWave(EffectContext& ctx);   // 14

// The seeding step of RGB modes 5, 7 and 9 (nothing for the others).
void seedRgbMode(KeyboardScratch& s, std::uint8_t mode);

// One tick of the per-key level decay of the RGB keyboard, by mode.
std::uint8_t decayKeyLevel(std::uint8_t level, std::uint8_t mode);

// One tick of the ripple planes: P0 and P3 move towards column 0, P1 and P2
// towards column 22, each lit bit one row down (P0, P1) or up (P2, P3).
void spreadRipplePlanes(std::array<RipplePlane, 4>& planes);

// Whether a key control lies on the snake path.
bool onSnakePath(std::size_t key);

}  // namespace quillon::lighting
