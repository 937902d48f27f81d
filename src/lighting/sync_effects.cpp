#include "lighting/sync_effects.h"

#include "lighting/colour_math.h"
#include "lighting/membrane_effects.h"
#include "lighting/membrane_tables.h"
#include "lighting/mouse_family_steps.h"
#include "lighting/mouse_tables.h"
#include "lighting/mousepad_tables.h"
#include "lighting/rgb_effects.h"

namespace quillon::lighting {

namespace {

using Regions = std::array<Rgb, kRegionCount>;

// Every frame of one tick, built on the stack and zeroed.
struct SyncFrames {
    std::array<std::uint8_t, kRgbFrameBytes> keyboard{};
    std::array<std::uint8_t, kMembraneFrameBytes> membrane{};
    std::array<std::uint8_t, kMouseFrameBytes> mouse{};
    std::array<std::uint8_t, kMousepadFrameBytes> mousepad{};
};

// The keyboard's stand-in pause when it does not take part, by effect.
constexpr int kKeyboardRestStatic = 6;
constexpr int kKeyboardRestBreathing = 8;
constexpr int kKeyboardRestWave = 6;
constexpr int kKeyboardRestSpectrum = 9;
constexpr int kPointerRest = 1;
constexpr int kStaticTickRest = 5;

template <std::size_t N>
void putRgb(std::array<std::uint8_t, N>& frame, std::size_t led, Rgb c) {
    if (3 * led + 2 >= N)
        return;
    frame[3 * led] = c.red;
    frame[3 * led + 1] = c.green;
    frame[3 * led + 2] = c.blue;
}

// One colour on every LED of every device and every region.
void fillAll(SyncFrames& f, Regions& regions, Rgb led) {
    for (std::size_t n = 0; n < kKeyControlCount; ++n)
        putRgb(f.keyboard, n, led);
    for (std::size_t n = 0; n < kMouseLedCount; ++n)
        putRgb(f.mouse, n, led);
    for (std::size_t n = 0; n < kMousepadLedCount; ++n)
        putRgb(f.mousepad, n, led);
    regions.fill(led);
}

SyncParticipants participants(const EffectContext& ctx) {
    return syncParticipants(ctx.host.takesPart(link::DeviceKind::keyboard),
                            ctx.host.keyboardVariant(), ctx.host.takesPart(link::DeviceKind::mouse),
                            ctx.host.takesPart(link::DeviceKind::mousepad));
}

void drawAll(EffectContext& ctx, const SyncParticipants& parts, Rgb colour, std::uint8_t alpha) {
    for (std::size_t i = 0; i < kKeyControlCount; ++i) {
        if (parts.keyboard)
            ctx.mirrors.keyboard.draw(i, colour, alpha);
        if (i < kMouseLedCount && parts.mouse)
            ctx.mirrors.mouse.draw(i, colour, alpha);
        if (i < kMousepadLedCount && parts.mousepad)
            ctx.mirrors.mousepad.draw(i, colour, alpha);
    }
}

void sendFrames(EffectContext& ctx, const SyncParticipants& parts, SyncFrames& f,
                const Regions& regions, int keyboardRest) {
    const bool enabled = ctx.host.outputEnabled();
    if (parts.keyboard) {
        if (parts.membraneKeyboard) {
            putMembraneRegions(f.membrane, regions);
            if (enabled)
                ctx.host.send(link::DeviceKind::keyboard, f.membrane);
        } else if (enabled) {
            ctx.host.send(link::DeviceKind::keyboard, f.keyboard);
        }
    } else {
        ctx.host.sleepMs(keyboardRest);
    }
    if (parts.mouse) {
        if (enabled)
            ctx.host.send(link::DeviceKind::mouse, f.mouse);
    } else {
        ctx.host.sleepMs(kPointerRest);
    }
    if (parts.mousepad) {
        if (enabled)
            ctx.host.send(link::DeviceKind::mousepad, f.mousepad);
    } else {
        ctx.host.sleepMs(kPointerRest);
    }
    // The thread publishes the keyboard picture; the other two are drawn here.
    if (parts.mouse)
        ctx.mirrors.mouse.publish();
    if (parts.mousepad)
        ctx.mirrors.mousepad.publish();
}

std::uint8_t stepSyncPhase(EffectContext& ctx, unsigned n) {
    ctx.state.sync.phase = stepPhase(ctx.state.sync.phase, ctx.record.direction, n);
    return ctx.state.sync.phase;
}

}  // namespace

SendRule syncStatic(EffectContext& ctx) {
    const SyncParticipants parts = participants(ctx);
    const Rgb colour = fixedColour(ctx.record);
    drawAll(ctx, parts, colour, brightnessScale(ctx.record.brightness));
    SyncFrames f;
    Regions regions;
    fillAll(f, regions, scaled(colour, pointerFactor(ctx.record.brightness)));
    sendFrames(ctx, parts, f, regions, kKeyboardRestStatic);
    ctx.host.sleepMs(kStaticTickRest);
    return SendRule::none;
}

SendRule syncBreathing(EffectContext& ctx) {
    const SyncParticipants parts = participants(ctx);
    SyncScratch& ss = ctx.state.sync;
    ss.phase = ss.phase + 1u >= BreathEnvelope.size() ? 0 : static_cast<std::uint8_t>(ss.phase + 1);
    if (ss.phase == 0)
        ss.breathHue = nextRandomByte(ss.randomState);
    const Rgb colour =
        ctx.record.multiColour == 1 ? ColourWheel[ss.breathHue] : fixedColour(ctx.record);
    const std::uint8_t e = BreathEnvelope[ss.phase];
    drawAll(ctx, parts, colour, alphaOf(brightnessScale(ctx.record.brightness), e));
    SyncFrames f;
    Regions regions;
    fillAll(f, regions, envelopeFirst(colour, e + 1u, pointerFactor(ctx.record.brightness)));
    sendFrames(ctx, parts, f, regions, kKeyboardRestBreathing);
    return SendRule::none;
}

SendRule syncWave(EffectContext& ctx) {
    const SyncParticipants parts = participants(ctx);
    const bool multi = ctx.record.multiColour == 1;
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    const unsigned factor = s + 1u;
    const std::uint8_t phase = stepSyncPhase(ctx, multi ? 192 : 96);
    SyncFrames f;
    const bool drawKeys = parts.keyboard && !parts.membraneKeyboard;
    std::uint8_t h = phase;
    std::uint8_t w = phase;
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        Rgb screen;
        Rgb led;
        std::uint8_t alpha;
        if (multi) {
            screen = ColourWheel[h];
            led = scaled(screen, factor);
            alpha = s;
            h = advance(h, 7, 192);
        } else {
            screen = fixedColour(ctx.record);
            led = brightnessFirst(screen, factor, WaveEnvelope[w] + 1u);
            w = advance(w, 10, WaveEnvelope.size());
            alpha = alphaOf(s, WaveEnvelope[w]);  // the next column's value
        }
        for (std::size_t r = 0; r < kColumnRows; ++r) {
            const std::uint8_t k = ColumnMatrix[kColumnRows * c + r];
            if (k == kNoMatrixKey)
                continue;
            const std::uint8_t n = LedIndexTable[k];
            if (n != kNoKey)
                putRgb(f.keyboard, n, led);
            if (drawKeys)
                ctx.mirrors.keyboard.draw(k, screen, alpha);
        }
        if (c < kMouseGroupCount) {
            for (std::uint8_t n : MouseLedGroups[c]) {
                putRgb(f.mouse, n, led);
                if (parts.mouse)
                    ctx.mirrors.mouse.draw(n, screen, alpha);
            }
        }
        if (c < kMousepadLedCount) {
            putRgb(f.mousepad, c, led);
            if (parts.mousepad)
                ctx.mirrors.mousepad.draw(c, screen, alpha);
        }
    }
    // The regions run a phase step ahead of the columns.
    const std::uint8_t regionPhase = stepSyncPhase(ctx, multi ? 192 : 96);
    Regions regions;
    membraneWaveRegions(regionPhase, ctx.record, factor, regions,
                        parts.membraneKeyboard ? &ctx.mirrors.keyboard : nullptr);
    sendFrames(ctx, parts, f, regions, kKeyboardRestWave);
    return SendRule::none;
}

SendRule syncSpectrum(EffectContext& ctx) {
    const SyncParticipants parts = participants(ctx);
    const std::uint8_t phase = stepSyncPhase(ctx, 192);
    const Rgb colour = ColourWheel[phase];
    drawAll(ctx, parts, colour, brightnessScale(ctx.record.brightness));
    SyncFrames f;
    Regions regions;
    fillAll(f, regions, scaled(colour, pointerFactor(ctx.record.brightness)));
    sendFrames(ctx, parts, f, regions, kKeyboardRestSpectrum);
    return SendRule::none;
}

}  // namespace quillon::lighting
