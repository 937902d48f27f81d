// RGB effects that run a hue or an envelope across the keyboard: wave over
// the column matrix, spiral along the snake path, pulse wave over the bands.

#include "lighting/busy_guard.h"
#include "lighting/colour_math.h"
#include "lighting/rgb_effects.h"

namespace quillon::lighting {

SendRule rgbWave(EffectContext& ctx) {
    KeyboardScratch& st = ctx.state.keyboard;
    const LightingRecord& r = ctx.record;
    const std::uint8_t s = brightnessScale(r.brightness);
    const bool multi = r.multiColour == 1;
    st.phase = stepPhase(st.phase, r.direction, multi ? 192 : 96);
    std::uint8_t v = st.phase;  // hue (multi-colour) or wave index
    const Rgb fixed = fixedColour(r);
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        Rgb screen;
        Rgb led;
        std::uint8_t alpha;
        if (multi) {
            screen = ColourWheel[v];
            led = scaled(screen, s);
            alpha = s;
            v = advance(v, 7, 192);
        } else {
            // The frame takes this column's wave value, the screen the next one.
            screen = fixed;
            led = brightnessFirst(fixed, s, WaveEnvelope[v]);
            v = advance(v, 10, 96);
            alpha = alphaOf(s, WaveEnvelope[v]);
        }
        for (std::size_t row = 0; row < kColumnRows; ++row) {
            const std::uint8_t k = ColumnMatrix[kColumnRows * c + row];
            if (k != kNoMatrixKey)
                lightKey(ctx, k, screen, alpha, led);
        }
    }
    return SendRule::ifOutputEnabled;
}

SendRule rgbSpiral(EffectContext& ctx) {
    KeyboardScratch& st = ctx.state.keyboard;
    const LightingRecord& r = ctx.record;
    const std::uint8_t s = brightnessScale(r.brightness);
    const bool multi = r.multiColour == 1;
    st.phase = stepPhase(st.phase, r.direction, multi ? 192 : 96);
    std::uint8_t v = st.phase;
    const Rgb fixed = fixedColour(r);
    for (std::size_t i = 0; i < 110; ++i) {
        const std::uint8_t k = SnakePath[i];
        if (k == kNoKey)
            continue;
        if (multi) {
            const Rgb c = ColourWheel[v];
            lightKey(ctx, k, c, s, scaled(c, s));
            v = advance(v, 5, 192);
        } else {
            const std::uint8_t e = WaveEnvelope[v];
            lightKey(ctx, k, fixed, alphaOf(s, e), brightnessFirst(fixed, s, e));
            v = advance(v, 5, 96);
        }
    }
    return SendRule::ifOutputEnabled;
}

SendRule rgbPulseWave(EffectContext& ctx) {
    BusyGuard guard(ctx.busy.pulseWave);
    if (!guard.held())
        return SendRule::none;
    KeyboardScratch& st = ctx.state.keyboard;
    const LightingRecord& r = ctx.record;
    const std::uint8_t s = brightnessScale(r.brightness);
    const bool multi = r.multiColour == 1;
    st.phase = stepPhase(st.phase, r.direction, multi ? 192 : 96);
    std::uint8_t v = st.phase;
    const Rgb fixed = fixedColour(r);
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        Rgb screen;
        Rgb led;
        std::uint8_t alpha;
        if (multi) {
            screen = ColourWheel[v];
            led = brightnessFirst(screen, s, PulseEnvelope[v]);
            alpha = s;
            v = advance(v, 7, 192);
        } else {
            screen = fixed;
            led = brightnessFirst(fixed, s, PulseEnvelope[v]);
            v = advance(v, 10, 96);
            alpha = alphaOf(s, PulseEnvelope[v]);
        }
        for (std::size_t row = 0; row < kBandRows; ++row) {
            const std::uint8_t k = BandMatrix[kBandRows * c + row];
            if (k != kNoKey)
                lightKey(ctx, k, screen, alpha, led);
        }
    }
    return SendRule::always;
}

SendRule rgbRings(EffectContext& ctx) {
    BusyGuard guard(ctx.busy.rings);
    if (!guard.held())
        return SendRule::none;
    ctx.host.sleepMs(10);  // a stop request just ends the pause early
    KeyboardScratch& st = ctx.state.keyboard;
    const LightingRecord& r = ctx.record;
    const std::uint8_t s = brightnessScale(r.brightness);
    if (r.direction == 1) {
        st.phase = st.phase + 4 >= 192 ? 0 : static_cast<std::uint8_t>(st.phase + 4);
    } else {
        if (st.phase > 192)
            st.phase = 192;  // left over from another mode
        st.phase = st.phase < 2 ? 192 : static_cast<std::uint8_t>(st.phase - 2);
    }
    unsigned h = st.phase;
    for (std::size_t ring = 0; ring < kRingCount; ++ring) {
        h += 21;
        while (h >= 192)
            h -= 192;
        const Rgb c = ColourWheel[h];
        for (std::size_t i = 0; i < kRingSize; ++i) {
            const std::uint8_t k = RingTable[kRingSize * ring + i];
            if (k == kNoKey || !onSnakePath(k))
                continue;
            lightKey(ctx, k, c, s, scaled(c, s));
        }
    }
    return SendRule::always;
}

}  // namespace quillon::lighting
