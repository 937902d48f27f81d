// RGB effects that colour the whole keyboard alike (static, breathing,
// spectrum cycle, off) or from the custom set.

#include "lighting/colour_math.h"
#include "lighting/rgb_effects.h"

namespace quillon::lighting {

namespace {

// Every control on screen, and every one of the 126 LED positions.
void fillAll(EffectContext& ctx, Rgb screen, std::uint8_t alpha, Rgb led) {
    for (std::size_t k = 0; k < kKeyControlCount; ++k) {
        ctx.mirror.draw(k, screen, alpha);
        putLed(ctx.frame, k, led);
    }
}

}  // namespace

SendRule rgbStatic(EffectContext& ctx) {
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    const Rgb c = fixedColour(ctx.record);
    fillAll(ctx, c, s, scaled(c, s));
    return SendRule::ifOutputEnabled;
}

SendRule rgbBreathing(EffectContext& ctx) {
    KeyboardScratch& st = ctx.state.keyboard;
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    if (st.phase + 1 >= static_cast<int>(BreathEnvelope.size())) {
        st.phase = 0;
        st.breathHue = nextRandomByte(st.randomState);
    } else {
        ++st.phase;
    }
    const Rgb c = ctx.record.multiColour == 1 ? ColourWheel[st.breathHue] : fixedColour(ctx.record);
    const std::uint8_t e = BreathEnvelope[st.phase];
    fillAll(ctx, c, alphaOf(s, e), brightnessFirst(c, s, e));
    return SendRule::ifOutputEnabled;
}

SendRule rgbSpectrum(EffectContext& ctx) {
    KeyboardScratch& st = ctx.state.keyboard;
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    st.phase = stepPhase(st.phase, ctx.record.direction, 192);
    const Rgb c = ColourWheel[st.phase];
    fillAll(ctx, c, s, scaled(c, s));
    return SendRule::ifOutputEnabled;
}

SendRule rgbOff(EffectContext& ctx) {
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t k = 0; k < kKeyControlCount; ++k)
        ctx.mirror.draw(k, Rgb{}, s);
    return SendRule::ifOutputEnabled;
}

SendRule rgbCustom(EffectContext& ctx) {
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t k = 0; k < kKeyControlCount; ++k) {
        const std::size_t n = LedIndexTable[k];
        if (n == kNoKey)
            continue;
        const Rgb c{ctx.customSet[3 * n], ctx.customSet[3 * n + 1], ctx.customSet[3 * n + 2]};
        ctx.mirror.draw(k, c, s);
        putLed(ctx.frame, n, scaled(c, s));
    }
    return SendRule::ifOutputEnabled;
}

}  // namespace quillon::lighting
