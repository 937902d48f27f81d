#pragma once

// Steps the mouse and the mousepad effects share: their brightness factor,
// the running light's trigger ring and decay, and the click flash. Each takes
// a small description of the device (LED count, decay steps) instead of being
// written twice.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>

#include "lighting/colour_math.h"
#include "lighting/colour_tables.h"
#include "lighting/lighting_record.h"

namespace quillon::lighting {

// Mouse, mousepad and synchronised colours scale by the table value + 1.
constexpr unsigned pointerFactor(std::uint8_t brightness) {
    return brightnessScale(brightness) + 1u;
}

// What a running-light level loses per tick, by band 128..255, 64..127,
// 32..63 and 17..31; 1..16 lose 1.
struct RunningLightDecay {
    std::uint8_t high, upper, middle, low;
};
inline constexpr RunningLightDecay kMouseRunningDecay{15, 10, 7, 3};
inline constexpr RunningLightDecay kMousepadRunningDecay{30, 20, 10, 5};

constexpr std::uint8_t decayRunningLevel(std::uint8_t v, RunningLightDecay d) {
    if (v >= 128)
        return static_cast<std::uint8_t>(v - d.high);
    if (v >= 64)
        return static_cast<std::uint8_t>(v - d.upper);
    if (v >= 32)
        return static_cast<std::uint8_t>(v - d.middle);
    if (v >= 17)
        return static_cast<std::uint8_t>(v - d.low);
    if (v >= 1)
        return static_cast<std::uint8_t>(v - 1);
    return 0;
}

// Positions 0..levels.size()-1 whose trigger is set light up at full level;
// with multiColour each takes a new hue from frameTick.
void fireTriggers(std::span<const std::uint8_t> ring, std::span<std::uint8_t> levels,
                  std::span<std::uint8_t> hues, bool multiColour,
                  std::atomic<std::uint8_t>& frameTick);

// Direction 0 moves every trigger one position up (the last wraps to 0),
// direction 1 one position down.
void rotateTriggers(std::span<std::uint8_t> ring, std::uint8_t direction);

// Click flash: a pending click starts a flash and moves the hue 14 steps on;
// a flash lasts until more than 99 ms have passed (that tick still lit).
// Returns whether this tick is lit.
bool clickFlashLit(std::atomic<bool>* clickPulse, std::uint8_t& flash, std::uint8_t& hue,
                   std::uint32_t& clickTimeMs, std::uint32_t nowMs);

// One tick of the wave over `count` lights (the mouse's groups or the
// mousepad's LEDs): with multiColour the hue moves 7 wheel steps per light,
// else the fixed colour follows the wave envelope 10 steps per light. The
// mouse's screen picture takes the next light's envelope value
// (`alphaFromNext`), as the keyboard wave does; the mousepad's its own.
// light(index, led colour, screen colour, screen alpha).
template <class Light>
void paintPointerWave(const LightingRecord& record, std::uint8_t& phase, std::size_t count,
                      bool alphaFromNext, Light&& light) {
    const std::uint8_t s = brightnessScale(record.brightness);
    const unsigned factor = s + 1u;
    if (record.multiColour == 1) {
        phase = stepPhase(phase, record.direction, 192);
        std::uint8_t h = phase;
        for (std::size_t i = 0; i < count; ++i) {
            light(i, scaled(ColourWheel[h], factor), ColourWheel[h], s);
            h = advance(h, 7, 192);
        }
        return;
    }
    phase = stepPhase(phase, record.direction, WaveEnvelope.size());
    std::uint8_t w = phase;
    const Rgb fixed = fixedColour(record);
    for (std::size_t i = 0; i < count; ++i) {
        const Rgb led = brightnessFirst(fixed, factor, WaveEnvelope[w] + 1u);
        const std::uint8_t next = advance(w, 10, WaveEnvelope.size());
        light(i, led, fixed, alphaOf(s, WaveEnvelope[alphaFromNext ? next : w]));
        w = next;
    }
}

// The colour of an effect that takes hues from the wheel only with multiColour.
constexpr Rgb hueOrFixed(const LightingRecord& r, std::uint8_t hue) {
    return r.multiColour == 1 ? ColourWheel[hue] : Rgb{r.red, r.green, r.blue};
}

}  // namespace quillon::lighting
