#pragma once

// The one-colour keyboard's modes 0..11. Its frame is 126 level bytes, one per
// LED; on screen every lit key shows the hardware's blue-violet with the level
// as alpha.

#include <array>
#include <cstdint>

#include "lighting/effect_context.h"

namespace quillon::lighting {

SendRule oneColourStatic(EffectContext& ctx);      // 0
SendRule oneColourBreathing(EffectContext& ctx);   // 1
SendRule oneColourWave(EffectContext& ctx);        // 2
SendRule oneColourSpiral(EffectContext& ctx);      // 3
SendRule oneColourRipple(EffectContext& ctx);      // 4
SendRule oneColourTrail(EffectContext& ctx);       // 5
SendRule oneColourRain(EffectContext& ctx);        // 6
SendRule oneColourStarlight(EffectContext& ctx);   // 7
SendRule oneColourPulseField(EffectContext& ctx);  // 8, 11
SendRule oneColourOff(EffectContext& ctx);         // 9
SendRule oneColourCustom(EffectContext& ctx);      // 10

// Modes 0..11, indexed by mode.
inline constexpr std::array<EffectGenerator, 12> OneColourGenerators{
    oneColourStatic,     oneColourBreathing, oneColourWave,   oneColourSpiral,
    oneColourRipple,     oneColourTrail,     oneColourRain,   oneColourStarlight,
    oneColourPulseField, oneColourOff,       oneColourCustom, oneColourPulseField,
};
constexpr GeneratorTable oneColourGenerators() {
    return OneColourGenerators;
}

// The seeding step of modes 4, 6, 7 and 8, run when the mode is selected.
void seedOneColourMode(KeyboardScratch& s, std::uint8_t mode);

}  // namespace quillon::lighting
