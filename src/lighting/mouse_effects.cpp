#include "lighting/mouse_effects.h"

#include <array>

#include "lighting/colour_math.h"
#include "lighting/mode_numbers.h"
#include "lighting/mouse_family_steps.h"
#include "lighting/mouse_tables.h"

namespace quillon::lighting {

namespace {

bool controlVisible(const EffectContext& ctx, std::size_t i) {
    if (!ctx.signals)
        return true;
    return (ctx.signals->mouseControlsVisible.load(std::memory_order_relaxed) >> i & 1u) != 0;
}

void drawVisible(EffectContext& ctx, std::size_t i, Rgb colour, std::uint8_t alpha) {
    if (controlVisible(ctx, i))
        ctx.mirror.draw(i, colour, alpha);
}

void putMouseLed(EffectContext& ctx, std::size_t led, Rgb c) {
    ctx.frame[3 * led] = c.red;
    ctx.frame[3 * led + 1] = c.green;
    ctx.frame[3 * led + 2] = c.blue;
}

// A group's LEDs and controls; LED 9, named twice in group 2, is lit once.
void lightGroup(EffectContext& ctx, std::size_t g, Rgb led, Rgb screen, std::uint8_t alpha) {
    const auto& leds = MouseLedGroups[g];
    for (std::size_t j = 0; j < leds.size(); ++j) {
        bool seen = false;
        for (std::size_t q = 0; q < j; ++q)
            seen = seen || leds[q] == leds[j];
        if (seen)
            continue;
        putMouseLed(ctx, leds[j], led);
        drawVisible(ctx, leds[j], screen, alpha);
    }
}

SendRule sendAll(EffectContext& ctx) {
    ctx.frameLength = kMouseFrameBytes;
    return SendRule::ifOutputEnabled;
}

}  // namespace

void resetMouseScratch(MouseScratch& s) {
    s.phase = 0;
    s.levels.fill(0);
    s.hues.fill(0);
    s.triggerRing.fill(0);
}

void seedMouseMode(MouseScratch& s, std::uint8_t mode, std::uint8_t direction) {
    if (mode == kMouseRunningLightMode)
        s.triggerRing[direction == 1 ? 7 : 0] = 1;
}

SendRule mouseStatic(EffectContext& ctx) {
    const Rgb fixed = fixedColour(ctx.record);
    const Rgb led = scaled(fixed, pointerFactor(ctx.record.brightness));
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t i = 0; i < kMouseLedCount; ++i) {
        putMouseLed(ctx, i, led);
        drawVisible(ctx, i, fixed, s);
    }
    return sendAll(ctx);
}

SendRule mouseBreathing(EffectContext& ctx) {
    MouseScratch& ms = ctx.state.mouse;
    ms.phase = stepPhase(ms.phase, ctx.record.direction, BreathEnvelope.size());
    // The colour-set counter lives in MouseState byte 9, so it reaches the
    // mouse with the next settings write; a stored value above 2 counts as 0.
    const bool advanceSet = ms.phase == 0;
    const std::uint8_t set = ctx.settings.edit([&](LightingRecords& r) {
        std::uint8_t n = r.mouse.effectByte > 2 ? 0 : r.mouse.effectByte;
        if (advanceSet) {
            n = static_cast<std::uint8_t>((n + 1) % 3);
            r.mouse.effectByte = n;
        }
        return n;
    });
    const std::uint8_t e = BreathEnvelope[ms.phase];
    const unsigned factor = pointerFactor(ctx.record.brightness);
    const std::uint8_t alpha = alphaOf(brightnessScale(ctx.record.brightness), e);
    for (std::size_t g = 0; g < kMouseGroupCount; ++g) {
        const Rgb colour = ctx.record.multiColour == 1
                               ? MouseColourList[kMouseGradientSetSize * set + g]
                               : fixedColour(ctx.record);
        lightGroup(ctx, g, envelopeFirst(colour, e + 1u, factor), colour, alpha);
    }
    return sendAll(ctx);
}

SendRule mouseWave(EffectContext& ctx) {
    paintPointerWave(ctx.record, ctx.state.mouse.phase, kMouseGroupCount, true,
                     [&](std::size_t g, Rgb led, Rgb screen, std::uint8_t alpha) {
                         lightGroup(ctx, g, led, screen, alpha);
                     });
    return sendAll(ctx);
}

SendRule mouseSpectrum(EffectContext& ctx) {
    MouseScratch& ms = ctx.state.mouse;
    ms.phase = stepPhase(ms.phase, ctx.record.direction, 192);
    const Rgb colour = ColourWheel[ms.phase];
    const Rgb led = scaled(colour, pointerFactor(ctx.record.brightness));
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t i = 0; i < kMouseLedCount; ++i) {
        putMouseLed(ctx, i, led);
        drawVisible(ctx, i, colour, s);
    }
    return sendAll(ctx);
}

SendRule mouseRunningLight(EffectContext& ctx) {
    MouseScratch& ms = ctx.state.mouse;
    fireTriggers(std::span<const std::uint8_t>(ms.triggerRing).first(ms.levels.size()), ms.levels,
                 ms.hues, ctx.record.multiColour == 1, ctx.frameTick);
    rotateTriggers(ms.triggerRing, ctx.record.direction);
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    const unsigned factor = s + 1u;
    for (std::size_t g = 0; g < kMouseGroupCount; ++g) {
        ms.levels[g] = decayRunningLevel(ms.levels[g], kMouseRunningDecay);
        const Rgb colour = hueOrFixed(ctx.record, ms.hues[g]);
        lightGroup(ctx, g, envelopeFirst(colour, ms.levels[g] + 1u, factor), colour,
                   alphaOf(s, ms.levels[g]));
    }
    return sendAll(ctx);
}

SendRule mouseClickFlash(EffectContext& ctx) {
    MouseScratch& ms = ctx.state.mouse;
    const bool lit = clickFlashLit(ctx.signals ? &ctx.signals->mouseClickPulse : nullptr, ms.flash,
                                   ms.clickHue, ms.clickTimeMs, ctx.host.nowMs());
    const Rgb colour = hueOrFixed(ctx.record, ms.clickHue);
    const Rgb led = scaled(colour, pointerFactor(ctx.record.brightness));
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t i = 0; i < kMouseFlashLedCount; ++i) {
        // The flash draws its controls whether the view shows them or not.
        if (lit) {
            putMouseLed(ctx, i, led);
            ctx.mirror.draw(i, colour, s);
        } else {
            ctx.mirror.draw(i, Rgb{}, 0);
        }
    }
    return sendAll(ctx);
}

SendRule mouseBlink(EffectContext& ctx) {
    MouseScratch& ms = ctx.state.mouse;
    ms.phase = ms.phase + 1u > kMouseColourCount - 1 ? 0 : static_cast<std::uint8_t>(ms.phase + 1);
    ctx.host.sleepMs(200);
    ctx.frameLength = kMouseBlinkFrameBytes;
    if (ms.blink == 1) {
        ms.blink = 0;
        const Rgb colour =
            ctx.record.multiColour == 1 ? MouseColourList[ms.phase] : fixedColour(ctx.record);
        const Rgb led = scaled(colour, pointerFactor(ctx.record.brightness));
        const std::uint8_t s = brightnessScale(ctx.record.brightness);
        for (std::size_t i = 0; i < kMouseBlinkLedCount; ++i) {
            putMouseLed(ctx, i, led);
            drawVisible(ctx, i, colour, s);
        }
    } else {
        ms.blink = 1;
        for (std::size_t i = 0; i < kMouseBlinkLedCount; ++i)
            drawVisible(ctx, i, Rgb{}, 0);
    }
    return SendRule::ifOutputEnabled;
}

SendRule mouseNoFrame(EffectContext& ctx) {
    ctx.mirror.darken();  // the mouse is dark: so is its picture
    return SendRule::none;
}

}  // namespace quillon::lighting
