#pragma once

// The 8-bit colour arithmetic the effects share and the steps that put one
// key into the frame and onto the screen.

#include <cstddef>
#include <cstdint>

#include "lighting/colour_tables.h"
#include "lighting/effect_context.h"
#include "lighting/key_layout_tables.h"

namespace quillon::lighting {

constexpr std::uint8_t scaleChannel(std::uint8_t ch, unsigned factor) {
    return static_cast<std::uint8_t>((ch * factor) >> 8);
}

constexpr Rgb scaled(Rgb c, unsigned s) {
    return {scaleChannel(c.red, s), scaleChannel(c.green, s), scaleChannel(c.blue, s)};
}

// Brightness product truncated to 8 bits before the envelope.
constexpr Rgb brightnessFirst(Rgb c, unsigned s, unsigned e) {
    return scaled(scaled(c, s), e);
}
constexpr Rgb envelopeFirst(Rgb c, unsigned e, unsigned s) {
    return scaled(scaled(c, e), s);
}

constexpr std::uint8_t alphaOf(unsigned s, unsigned e) {
    return static_cast<std::uint8_t>((s * e) >> 8);
}

constexpr Rgb fixedColour(const LightingRecord& r) {
    return {r.red, r.green, r.blue};
}

inline void putLed(Frame& frame, std::size_t led, Rgb c) {
    if (led >= kKeyControlCount)
        return;
    frame[3 * led] = c.red;
    frame[3 * led + 1] = c.green;
    frame[3 * led + 2] = c.blue;
}

// Draws RGB key control k on screen and puts its frame value at its LED.
inline void lightKey(EffectContext& ctx, std::size_t k, Rgb screen, std::uint8_t alpha, Rgb led) {
    if (k >= kKeyControlCount)
        return;
    ctx.mirror.draw(k, screen, alpha);
    putLed(ctx.frame, LedIndexTable[k], led);
}

// Steps a phase over n values in the record's direction. A phase left over
// from another mode (n or more) restarts inside the range.
constexpr std::uint8_t stepPhase(std::uint8_t phase, std::uint8_t direction, unsigned n) {
    if (direction == 1)
        return phase + 1u >= n ? 0 : static_cast<std::uint8_t>(phase + 1);
    if (phase == 0 || phase > n)
        return static_cast<std::uint8_t>(n - 1);
    return static_cast<std::uint8_t>(phase - 1);
}

// A hue or envelope index moved on by `step` within n values.
constexpr std::uint8_t advance(unsigned v, unsigned step, unsigned n) {
    return static_cast<std::uint8_t>((v + step) % n);
}

}  // namespace quillon::lighting
