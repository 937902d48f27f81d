#pragma once

// The membrane keyboard's modes 0..6. Each generator computes the six region
// colours, keeps them in the region colour store, and sends the 36-byte frame
// (two LEDs per region, green-red-blue).

#include <array>
#include <cstdint>

#include "lighting/colour_tables.h"
#include "lighting/effect_context.h"
#include "lighting/key_layout_tables.h"

namespace quillon::lighting {

SendRule membraneStatic(EffectContext& ctx);     // 0
SendRule membraneBreathing(EffectContext& ctx);  // 1
SendRule membraneWave(EffectContext& ctx);       // 2
SendRule membraneSpectrum(EffectContext& ctx);   // 3
SendRule membraneStack(EffectContext& ctx);      // 4
SendRule membraneOff(EffectContext& ctx);        // 5
SendRule membraneCustom(EffectContext& ctx);     // 6

// Modes 0..6, indexed by mode.
inline constexpr std::array<EffectGenerator, 7> MembraneGenerators{
    membraneStatic, membraneBreathing, membraneWave,   membraneSpectrum,
    membraneStack,  membraneOff,       membraneCustom,
};
constexpr GeneratorTable membraneGenerators() {
    return MembraneGenerators;
}

// The colours of the six regions for one step of the wave, from `phase`
// (already stepped); each region's keys are drawn on `mirror` when given.
// Shared with synchronised lighting.
void membraneWaveRegions(std::uint8_t phase, const LightingRecord& r, unsigned scaleFactor,
                         std::array<Rgb, kRegionCount>& regions, ScreenMirror* mirror);

// The wheel hue a stack block of hue index `index` (0..191) shows: the index
// itself, so every index keeps a colour of its own. (A stride of 15 entries per
// index would repeat after 64 indices and leave the wheel past index 12.)
constexpr std::uint8_t stackBlockHue(std::uint8_t index) {
    return static_cast<std::uint8_t>(index % 192u);
}

}  // namespace quillon::lighting
