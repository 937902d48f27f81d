#pragma once

// The mousepad's modes 0..8: 15 LEDs in a U, 45-byte frames (60 bytes, the
// last 15 zero, in breathing, static and click flash). Every mousepad frame is
// sent whether output is enabled or not; its controls are always drawn.

#include <array>
#include <cstdint>

#include "lighting/effect_context.h"

namespace quillon::lighting {

SendRule mousepadWave(EffectContext& ctx);          // 0
SendRule mousepadSpectrum(EffectContext& ctx);      // 1
SendRule mousepadBreathing(EffectContext& ctx);     // 2
SendRule mousepadStatic(EffectContext& ctx);        // 3
SendRule mousepadBar(EffectContext& ctx);           // 4
SendRule mousepadRunningLight(EffectContext& ctx);  // 5
SendRule mousepadColumnWave(EffectContext& ctx);    // 6
SendRule mousepadSweep(EffectContext& ctx);         // 7
SendRule mousepadClickFlash(EffectContext& ctx);    // 8

// Modes 0..8 (mode 9 has no generator), indexed by mode.
inline constexpr std::array<EffectGenerator, 9> MousepadGenerators{
    mousepadWave,         mousepadSpectrum,   mousepadBreathing, mousepadStatic,     mousepadBar,
    mousepadRunningLight, mousepadColumnWave, mousepadSweep,     mousepadClickFlash,
};
constexpr GeneratorTable mousepadGenerators() {
    return MousepadGenerators;
}

// What a mousepad mode selection resets.
void resetMousepadScratch(MousepadScratch& s);

// Selecting mode 5 marks the running light's start at position 0.
void seedMousepadMode(MousepadScratch& s, std::uint8_t mode);

}  // namespace quillon::lighting
