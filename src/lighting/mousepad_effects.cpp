#include "lighting/mousepad_effects.h"

#include <array>

#include "lighting/colour_math.h"
#include "lighting/mode_numbers.h"
#include "lighting/mouse_family_steps.h"
#include "lighting/mousepad_tables.h"

namespace quillon::lighting {

namespace {

void lightPadLed(EffectContext& ctx, std::size_t i, Rgb led, Rgb screen, std::uint8_t alpha) {
    if (i >= kMousepadLedCount)
        return;
    ctx.frame[3 * i] = led.red;
    ctx.frame[3 * i + 1] = led.green;
    ctx.frame[3 * i + 2] = led.blue;
    ctx.mirror.draw(i, screen, alpha);
}

template <class Visit>
void forEachColumnLed(std::size_t column, Visit visit) {
    for (std::uint8_t led : MousepadColumns[column]) {
        if (led != kNoPadLed)
            visit(led);
    }
}

// Ticks of one sweep pass; the pass after the last is a one-second pause.
constexpr std::uint32_t kSweepSteps = 15;

SendRule send(EffectContext& ctx, std::size_t bytes) {
    ctx.frameLength = bytes;
    return SendRule::always;
}

// Lights the columns whose bit is set in `lit` (bit k: column k), in column
// order with hues 20 apart, the others dark.
void lightColumns(EffectContext& ctx, unsigned lit, std::uint8_t hue) {
    const unsigned factor = pointerFactor(ctx.record.brightness);
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t k = 0; k < kMousepadColumnCount; ++k) {
        if (lit >> k & 1u) {
            const Rgb colour = hueOrFixed(ctx.record, hue);
            forEachColumnLed(k, [&](std::uint8_t led) {
                lightPadLed(ctx, led, scaled(colour, factor), colour, s);
            });
            hue = advance(hue, 20, 192);
        } else {
            forEachColumnLed(k, [&](std::uint8_t led) { lightPadLed(ctx, led, Rgb{}, Rgb{}, 0); });
        }
    }
}

}  // namespace

void resetMousepadScratch(MousepadScratch& s) {
    s.phase = 0;
    s.levels.fill(0);
    s.hues.fill(0);
    s.triggerRing.fill(0);
}

void seedMousepadMode(MousepadScratch& s, std::uint8_t mode) {
    if (mode == kMousepadRunningLightMode)
        s.triggerRing[0] = 1;
}

SendRule mousepadWave(EffectContext& ctx) {
    paintPointerWave(ctx.record, ctx.state.mousepad.phase, kMousepadLedCount, false,
                     [&](std::size_t i, Rgb led, Rgb screen, std::uint8_t alpha) {
                         lightPadLed(ctx, i, led, screen, alpha);
                     });
    return send(ctx, kMousepadFrameBytes);
}

SendRule mousepadSpectrum(EffectContext& ctx) {
    MousepadScratch& ps = ctx.state.mousepad;
    ps.phase = stepPhase(ps.phase, ctx.record.direction, 192);
    const Rgb colour = ColourWheel[ps.phase];
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t i = 0; i < kMousepadLedCount; ++i)
        lightPadLed(ctx, i, scaled(colour, s + 1u), colour, s);
    return send(ctx, kMousepadFrameBytes);
}

SendRule mousepadBreathing(EffectContext& ctx) {
    MousepadScratch& ps = ctx.state.mousepad;
    ps.phase = stepPhase(ps.phase, ctx.record.direction, BreathEnvelope.size());
    if (ps.phase == 0) {
        // The counter lives in MousepadState byte 9 and goes out with its settings.
        ctx.settings.edit([](LightingRecords& r) {
            const std::uint8_t n = r.mousepad.effectByte;
            r.mousepad.effectByte = static_cast<std::uint8_t>(n >= 2 ? 0 : n + 1);
        });
    }
    const Rgb colour = hueOrFixed(ctx.record, advance(ps.phase, 50, 192));
    const std::uint8_t e = BreathEnvelope[ps.phase];
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    const Rgb led = envelopeFirst(colour, e + 1u, s + 1u);
    for (std::size_t i = 0; i < kMousepadLedCount; ++i)
        lightPadLed(ctx, i, led, colour, alphaOf(s, e));
    return send(ctx, kMousepadLongFrameBytes);
}

SendRule mousepadStatic(EffectContext& ctx) {
    const Rgb fixed = fixedColour(ctx.record);
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t i = 0; i < kMousepadLedCount; ++i)
        lightPadLed(ctx, i, scaled(fixed, s + 1u), fixed, s);
    return send(ctx, kMousepadLongFrameBytes);
}

SendRule mousepadBar(EffectContext& ctx) {
    MousepadScratch& ps = ctx.state.mousepad;
    constexpr std::int32_t kTop = static_cast<std::int32_t>(kMousepadLedCount);
    // A count left outside the bar's range restarts at its ends.
    if (ps.barCount > kTop)
        ps.barCount = kTop;
    if (ps.barCount < -1)
        ps.barCount = -1;
    const std::int32_t c = ps.barCount;
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    std::uint8_t h = 0;
    for (std::size_t i = 0; i < kMousepadLedCount; ++i) {
        const auto pos = static_cast<std::int32_t>(i);
        const bool lit = ctx.record.direction == 1 ? c < pos : pos < c;
        if (lit) {
            const Rgb colour = hueOrFixed(ctx.record, h);
            lightPadLed(ctx, i, scaled(colour, s + 1u), colour, s);
        } else {
            lightPadLed(ctx, i, Rgb{}, Rgb{}, 0);
        }
        h = advance(h, 7, 192);
    }
    // Turn at the ends: up to 15, down to -1.
    if (ps.barDown == 0) {
        if (c >= kTop) {
            ps.barDown = 1;
            ps.barCount = c - 1;
        } else {
            ps.barCount = c + 1;
        }
    } else if (c <= -1) {
        ps.barDown = 0;
        ps.barCount = c + 1;
    } else {
        ps.barCount = c - 1;
    }
    return send(ctx, kMousepadFrameBytes);
}

SendRule mousepadRunningLight(EffectContext& ctx) {
    MousepadScratch& ps = ctx.state.mousepad;
    fireTriggers(ps.triggerRing, ps.levels, ps.hues, ctx.record.multiColour == 1, ctx.frameTick);
    rotateTriggers(ps.triggerRing, ctx.record.direction);
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t i = 0; i < kMousepadLedCount; ++i) {
        ps.levels[i] = decayRunningLevel(ps.levels[i], kMousepadRunningDecay);
        const Rgb colour = hueOrFixed(ctx.record, ps.hues[i]);
        lightPadLed(ctx, i, envelopeFirst(colour, ps.levels[i] + 1u, s + 1u), colour,
                    alphaOf(s, ps.levels[i]));
    }
    return send(ctx, kMousepadFrameBytes);
}

SendRule mousepadColumnWave(EffectContext& ctx) {
    MousepadScratch& ps = ctx.state.mousepad;
    ps.phase = stepPhase(ps.phase, ctx.record.direction, 192);
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    std::uint8_t h = ps.phase;
    for (std::size_t k = 0; k < kMousepadColumnCount; ++k) {
        const Rgb colour = ColourWheel[h];
        forEachColumnLed(
            k, [&](std::uint8_t led) { lightPadLed(ctx, led, scaled(colour, s + 1u), colour, s); });
        h = advance(h, 7, 192);
    }
    return send(ctx, kMousepadFrameBytes);
}

SendRule mousepadSweep(EffectContext& ctx) {
    MousepadScratch& ps = ctx.state.mousepad;
    // The pattern is a 16-bit register; shifts stay within its 16 bits.
    auto pattern = [&] { return static_cast<std::uint16_t>(ps.sweepPattern); };
    auto previousHue = [&] {
        ps.phase = ps.phase == 0 || ps.phase > 192 ? 191 : static_cast<std::uint8_t>(ps.phase - 1);
        return ps.phase;
    };
    if (ps.sweepFlag == 0 && ps.sweepCounter == 0) {
        ps.sweepFlag = 1;
        ps.sweepPattern = 0x3F00;
        ctx.host.sleepMs(1000);
        return SendRule::none;
    }
    unsigned lit = 0;
    std::uint8_t h = 0;
    if (ps.sweepFlag == 1) {
        ps.sweepPattern = static_cast<std::int16_t>(ps.sweepPattern >> 1);
        ++ps.sweepCounter;
        if (ps.sweepCounter >= kSweepSteps) {
            ps.sweepFlag = 0;
            ps.sweepPattern = 0x00FC;
            ctx.host.sleepMs(1000);
            return SendRule::none;
        }
        h = previousHue();
        for (unsigned k = 0; k < kMousepadColumnCount; ++k)
            lit |= (pattern() >> (7 - k) & 1u) << k;
    } else {
        h = previousHue();
        for (unsigned k = 0; k < kMousepadColumnCount; ++k)
            lit |= (pattern() >> (15 - k) & 1u) << k;
        ps.sweepPattern = static_cast<std::int16_t>(static_cast<std::uint16_t>(pattern() << 1));
        --ps.sweepCounter;
    }
    lightColumns(ctx, lit, h);
    return send(ctx, kMousepadFrameBytes);
}

SendRule mousepadClickFlash(EffectContext& ctx) {
    MousepadScratch& ps = ctx.state.mousepad;
    const bool lit = clickFlashLit(ctx.signals ? &ctx.signals->mousepadClickPulse : nullptr,
                                   ps.flash, ps.clickHue, ps.clickTimeMs, ctx.host.nowMs());
    const Rgb colour = hueOrFixed(ctx.record, ps.clickHue);
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t i = 0; i < kMousepadLedCount; ++i) {
        if (lit) {
            lightPadLed(ctx, i, scaled(colour, s + 1u), colour, s);
        } else {
            lightPadLed(ctx, i, Rgb{}, Rgb{}, 0);
        }
    }
    return send(ctx, kMousepadLongFrameBytes);
}

}  // namespace quillon::lighting
