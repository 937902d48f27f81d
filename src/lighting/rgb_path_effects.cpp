// RGB effects that light single keys and let them fade or pulse: trail,
// rain, starlight and pulse field.

#include "lighting/busy_guard.h"
#include "lighting/colour_math.h"
#include "lighting/rgb_effects.h"

namespace quillon::lighting {

namespace {

// Decay rule of the modes that have no column of their own.
constexpr std::uint8_t kOtherModeDecay = 6;

Rgb keyColour(const EffectContext& ctx, std::uint8_t hue) {
    return ctx.record.multiColour == 1 ? ColourWheel[hue] : fixedColour(ctx.record);
}

// Decays every snake-path key and draws it with its level as the envelope.
void drawFadingSnake(EffectContext& ctx) {
    KeyboardScratch& st = ctx.state.keyboard;
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t i = 0; i < kSnakeKeyCount; ++i) {
        const std::uint8_t k = SnakePath[i];
        st.keyLevel[k] = decayKeyLevel(st.keyLevel[k], kOtherModeDecay);
        const std::uint8_t e = st.keyLevel[k];
        const Rgb c = keyColour(ctx, st.keyHue[k]);
        lightKey(ctx, k, c, alphaOf(s, e), envelopeFirst(c, e, s));
    }
}

// The key the trail lights this tick, or kNoKey for a dark tick.
std::uint8_t nextTrailKey(KeyboardScratch& st, std::uint8_t direction) {
    if (st.trailPos > kTrailLength)
        st.trailPos = kTrailLength;
    if (direction == 1) {
        if (st.trailPos < kTrailLength)
            return TrailPath[st.trailPos++];
        st.trailPos = 0;
        return kNoKey;
    }
    if (st.trailPos == 0) {
        st.trailPos = kTrailLength;
        return kNoKey;
    }
    // Position 110 lies past the path: a dark tick, like the path's own pauses.
    const std::uint8_t k = st.trailPos < kTrailLength ? TrailPath[st.trailPos] : kNoKey;
    --st.trailPos;
    return k;
}

}  // namespace

SendRule rgbTrail(EffectContext& ctx) {
    KeyboardScratch& st = ctx.state.keyboard;
    const std::uint8_t k = nextTrailKey(st, ctx.record.direction);
    if (k != kNoKey) {
        st.keyLevel[k] = 254;
        st.keyHue[k] = static_cast<std::uint8_t>(ctx.frameTick.fetch_add(13) + 13);
    }
    drawFadingSnake(ctx);
    return SendRule::ifOutputEnabled;
}

SendRule rgbRain(EffectContext& ctx) {
    KeyboardScratch& st = ctx.state.keyboard;
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t i = 0; i < kSnakeKeyCount; ++i) {
        const std::uint8_t k = SnakePath[i];
        if (st.keyPhase[k] + 1 >= static_cast<int>(PulseEnvelope.size())) {
            st.keyPhase[k] = 0;
            st.keyHue[k] = static_cast<std::uint8_t>(ctx.frameTick.fetch_add(10) + 10);
        } else {
            ++st.keyPhase[k];
        }
        const std::uint8_t e = PulseEnvelope[st.keyPhase[k]];
        const Rgb c = keyColour(ctx, st.keyHue[k]);
        lightKey(ctx, k, c, alphaOf(e, s), envelopeFirst(c, e, s));
    }
    return SendRule::ifOutputEnabled;
}

SendRule rgbStarlight(EffectContext& ctx) {
    KeyboardScratch& st = ctx.state.keyboard;
    std::uint8_t h = ctx.frameTick.load();
    for (int n = 0; n < 3; ++n) {
        st.starPos = st.starPos + 1 >= static_cast<int>(kStarCount)
                         ? 0
                         : static_cast<std::uint8_t>(st.starPos + 1);
        const std::uint8_t k = SnakePath[StarOrder[st.starPos]];
        h = static_cast<std::uint8_t>(h + 10);
        st.keyHue[k] = h;
        st.keyLevel[k] = 255;
    }
    ctx.frameTick.store(h);

    BusyGuard guard(ctx.busy.starlight);
    if (!guard.held())
        return SendRule::none;
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t k = 0; k < kKeyControlCount; ++k) {
        st.keyLevel[k] = decayKeyLevel(st.keyLevel[k], kOtherModeDecay);
        const std::uint8_t e = st.keyLevel[k];
        const Rgb c = keyColour(ctx, st.keyHue[k]);
        lightKey(ctx, k, c, alphaOf(s, e), envelopeFirst(c, e, s));
    }
    return SendRule::ifOutputEnabled;
}

SendRule rgbPulseField(EffectContext& ctx) {
    KeyboardScratch& st = ctx.state.keyboard;
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t i = 0; i < kSnakeKeyCount; ++i) {
        const std::uint8_t k = SnakePath[i];
        if (st.keyLevel[k] + 2 >= static_cast<int>(PulseEnvelope.size())) {
            st.keyLevel[k] = 0;
            st.keyHue[k] = static_cast<std::uint8_t>(ctx.frameTick.fetch_add(10) + 10);
        } else {
            st.keyLevel[k] = static_cast<std::uint8_t>(st.keyLevel[k] + 2);
        }
        const std::uint8_t e = PulseEnvelope[st.keyLevel[k]];
        const Rgb c = keyColour(ctx, st.keyHue[k]);
        lightKey(ctx, k, c, alphaOf(e, s), envelopeFirst(c, e, s));
    }
    return SendRule::ifOutputEnabled;
}

}  // namespace quillon::lighting
