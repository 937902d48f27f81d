#pragma once

// The running state of the effect generators. Each part belongs to the thread
// that runs its generators (keyboard part: keyboard lighting thread; mouse and
// mousepad parts: their threads; sync part: the synchronised thread); the GUI
// thread never touches it but asks for resets through LightingShared.

#include <array>
#include <cstdint>

#include "lighting/colour_tables.h"

namespace quillon::lighting {

// One ripple plane: byte c is column c of the column matrix, bit r its row r.
using RipplePlane = std::array<std::uint8_t, 24>;

struct KeyboardScratch {
    std::uint8_t phase = 0;
    std::array<std::uint8_t, 256> keyHue{};
    std::array<std::uint8_t, 128> keyLevel{};
    std::array<std::uint8_t, 256> keyPhase{};
    std::array<RipplePlane, 4> ripple{};
    std::uint8_t trailPos = 0;  // 0..110
    std::uint8_t starPos = 0;   // 0..103 (one-colour: 0..109)
    std::uint8_t breathHue = 0;
    // State of the runtime's pseudo-random generator that picks breathing hues.
    std::uint32_t randomState = 1;
};

// Membrane keyboard: the colour each region shows, and the stack effect.
struct MembraneScratch {
    std::array<Rgb, 6> regionColours{};
    std::array<std::uint8_t, 6> slots{};
    std::array<std::uint8_t, 6> regionHues{};
    std::uint8_t hueCounter = 0;
    std::uint8_t level = 0;
    std::uint8_t fading = 0;
    int stackLength = 0;
};

struct MouseScratch {
    std::uint8_t phase = 0;
    std::array<std::uint8_t, 23> triggerRing{};
    std::array<std::uint8_t, 14> levels{};
    std::array<std::uint8_t, 14> hues{};
    std::uint8_t blink = 0;
    std::uint8_t flash = 0;
    std::uint8_t clickHue = 0;
    std::uint32_t clickTimeMs = 0;
};

struct MousepadScratch {
    std::uint8_t phase = 0;
    std::array<std::uint8_t, 15> triggerRing{};
    std::array<std::uint8_t, 15> levels{};
    std::array<std::uint8_t, 15> hues{};
    std::int32_t barCount = 0;
    std::uint8_t barDown = 0;
    std::int16_t sweepPattern = 0;
    std::uint8_t sweepFlag = 0;
    std::uint32_t sweepCounter = 0;
    std::uint8_t flash = 0;
    std::uint8_t clickHue = 0;
    std::uint32_t clickTimeMs = 0;
};

struct SyncScratch {
    std::uint8_t phase = 0;
    std::uint8_t breathHue = 0;
    std::uint32_t randomState = 1;  // the synchronised thread's own breathing hues
};

// What a keyboard mode selection resets; trailPos, starPos, breathHue and
// keyPhase run on.
void resetKeyboardScratch(KeyboardScratch& s);

// The low 8 bits of the next number of the runtime's pseudo-random generator.
std::uint8_t nextRandomByte(std::uint32_t& state);

}  // namespace quillon::lighting
