#pragma once

// Synchronised lighting: one effect (static, breathing, wave, spectrum cycle)
// over the keyboard, the mouse and the mousepad together, from one thread.
// Every device whose `syncLighting` flag is set takes part and gets its own
// frame each tick through the host; a device that does not take part costs a
// short sleep instead, so the effect keeps its pace whoever takes part.

#include <array>
#include <cstdint>

#include "lighting/effect_context.h"

namespace quillon::lighting {

// Who takes part this tick. The one-colour keyboard never does: it takes
// levels, and a colour frame would light it wrongly.
struct SyncParticipants {
    bool keyboard = false;
    bool membraneKeyboard = false;  // the keyboard gets 36-byte region frames
    bool mouse = false;
    bool mousepad = false;
};

// From the links' flags and the attached keyboard's variant; the one-colour
// keyboard takes no part.
constexpr SyncParticipants syncParticipants(bool keyboardFlag,
                                            link::KeyboardVariant keyboardVariant, bool mouseFlag,
                                            bool mousepadFlag) {
    SyncParticipants p;
    p.keyboard = keyboardFlag && keyboardVariant != link::KeyboardVariant::oneColour;
    p.membraneKeyboard = p.keyboard && keyboardVariant == link::KeyboardVariant::membrane;
    p.mouse = mouseFlag;
    p.mousepad = mousepadFlag;
    return p;
}

// Each sends its frames itself and returns SendRule::none.
SendRule syncStatic(EffectContext& ctx);     // 0
SendRule syncBreathing(EffectContext& ctx);  // 1
SendRule syncWave(EffectContext& ctx);       // 2
SendRule syncSpectrum(EffectContext& ctx);   // 3

// Modes 0..3, indexed by `SyncRecord.mode`.
inline constexpr std::array<EffectGenerator, 4> SyncGenerators{
    syncStatic,
    syncBreathing,
    syncWave,
    syncSpectrum,
};
constexpr GeneratorTable syncGenerators() {
    return SyncGenerators;
}

}  // namespace quillon::lighting
