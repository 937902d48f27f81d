#pragma once

// The mouse's modes 0..9: 60-byte frames of 20 LEDs (red, green, blue), 30
// bytes in the blink modes; modes 8 and 9 send nothing. Controls are drawn
// only while the view shows them, except the click flash's.

#include <array>
#include <cstdint>

#include "lighting/effect_context.h"

namespace quillon::lighting {

SendRule mouseStatic(EffectContext& ctx);        // 0
SendRule mouseBreathing(EffectContext& ctx);     // 1
SendRule mouseWave(EffectContext& ctx);          // 2
SendRule mouseSpectrum(EffectContext& ctx);      // 3
SendRule mouseRunningLight(EffectContext& ctx);  // 4
SendRule mouseClickFlash(EffectContext& ctx);    // 5
SendRule mouseBlink(EffectContext& ctx);         // 6, 7
SendRule mouseNoFrame(EffectContext& ctx);       // 8

// Modes 0..8 (mode 9 has no generator), indexed by mode.
inline constexpr std::array<EffectGenerator, 9> MouseGenerators{
    mouseStatic,     mouseBreathing, mouseWave,  mouseSpectrum, mouseRunningLight,
    mouseClickFlash, mouseBlink,     mouseBlink, mouseNoFrame,
};
constexpr GeneratorTable mouseGenerators() {
    return MouseGenerators;
}

// What a mouse mode selection and the FXL/FXR direction clicks reset.
void resetMouseScratch(MouseScratch& s);

// Selecting mode 4 (or a direction click in it) marks the running light's
// start: position 7 for direction 1, position 0 for direction 0.
void seedMouseMode(MouseScratch& s, std::uint8_t mode, std::uint8_t direction);

}  // namespace quillon::lighting
