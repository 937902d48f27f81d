#pragma once

// Synchronised lighting: one effect (static, breathing, wave, spectrum cycle)
// over the keyboard, the mouse and the mousepad together, from one thread.
// Every device whose `syncLighting` flag is set takes part and gets its own
// frame each tick; a device that does not take part costs a short sleep
// instead, so the effect keeps its pace whoever takes part.

#include <array>
#include <cstdint>

#include "lighting/colour_tables.h"
#include "lighting/effect_context.h"
#include "lighting/key_layout_tables.h"

namespace quillon::lighting {

// Who takes part this tick. The one-colour keyboard never does: it takes
// levels, not the colour frames synchronised lighting builds.
struct SyncParticipants {
    bool keyboard = false;
    bool membraneKeyboard = false;  // the keyboard gets 36-byte region frames
    bool mouse = false;
    bool mousepad = false;
};

// From the links' flags and the attached keyboard's variant (0 RGB,
// 1 one-colour, 2 membrane).
constexpr SyncParticipants syncParticipants(bool keyboardFlag, std::uint8_t keyboardVariant,
                                            bool mouseFlag, bool mousepadFlag) {
    SyncParticipants p;
    p.keyboard = keyboardFlag && keyboardVariant != 1;
    p.membraneKeyboard = p.keyboard && keyboardVariant == 2;
    p.mouse = mouseFlag;
    p.mousepad = mousepadFlag;
    return p;
}

// The synchronised thread's own state.
struct SyncEffectState {
    SyncScratch scratch;
    std::uint32_t randomState = 1;  // picks the breathing hue
    std::array<Rgb, kRegionCount> regionColours{};  // the membrane regions last shown
};

struct SyncContext {
    LightingRecord record;  // SyncRecord snapshot taken at the start of the tick
    SyncEffectState& state;
    SyncParticipants parts;
    ScreenMirror& keyboardMirror;
    ScreenMirror& mouseMirror;
    ScreenMirror& mousepadMirror;
    EffectHost& host;
};

using SyncGenerator = void (*)(SyncContext&);

void syncStatic(SyncContext& ctx);     // 0
void syncBreathing(SyncContext& ctx);  // 1
void syncWave(SyncContext& ctx);       // 2
void syncSpectrum(SyncContext& ctx);   // 3

// Modes 0..3, indexed by `SyncRecord.mode`.
std::span<const SyncGenerator> syncGenerators();

// One tick of the synchronised thread's generator: false (nothing done) for a
// mode without a generator.
bool runSyncTick(SyncContext& ctx);

}  // namespace quillon::lighting
