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
    if (3 * led + 2 >= N) return;
    frame[3 * led] = c.red;
    frame[3 * led + 1] = c.green;
    frame[3 * led + 2] = c.blue;
}

// One colour on every LED of every device and every region.
void fillAll(SyncFrames& f, std::array<Rgb, kRegionCount>& regions, Rgb led) {
    for (std::size_t n = 0; n < kKeyControlCount; ++n) putRgb(f.keyboard, n, led);
    for (std::size_t n = 0; n < kMouseLedCount; ++n) putRgb(f.mouse, n, led);
    for (std::size_t n = 0; n < kMousepadLedCount; ++n) putRgb(f.mousepad, n, led);
    regions.fill(led);
}

void drawAll(SyncContext& ctx, Rgb colour, std::uint8_t alpha) {
    for (std::size_t i = 0; i < kKeyControlCount; ++i) {
        if (ctx.parts.keyboard) ctx.keyboardMirror.draw(i, colour, alpha);
        if (i < kMouseLedCount && ctx.parts.mouse) ctx.mouseMirror.draw(i, colour, alpha);
        if (i < kMousepadLedCount && ctx.parts.mousepad) ctx.mousepadMirror.draw(i, colour, alpha);
    }
}

void sendFrames(SyncContext& ctx, SyncFrames& f, int keyboardRest) {
    const bool enabled = ctx.host.outputEnabled();
    if (ctx.parts.keyboard) {
        if (ctx.parts.membraneKeyboard) {
            putMembraneRegions(f.membrane, ctx.state.regionColours);
            if (enabled) ctx.host.send(link::DeviceKind::keyboard, f.membrane);
        } else if (enabled) {
            ctx.host.send(link::DeviceKind::keyboard, f.keyboard);
        }
    } else {
        ctx.host.sleepMs(keyboardRest);
    }
    if (ctx.parts.mouse) {
        if (enabled) ctx.host.send(link::DeviceKind::mouse, f.mouse);
    } else {
        ctx.host.sleepMs(kPointerRest);
    }
    if (ctx.parts.mousepad) {
        if (enabled) ctx.host.send(link::DeviceKind::mousepad, f.mousepad);
    } else {
        ctx.host.sleepMs(kPointerRest);
    }
}

std::uint8_t stepSyncPhase(SyncContext& ctx, unsigned n) {
    ctx.state.scratch.phase = stepPhase(ctx.state.scratch.phase, ctx.record.direction, n);
    return ctx.state.scratch.phase;
}

}  // namespace

void syncStatic(SyncContext& ctx) {
    const Rgb colour = fixedColour(ctx.record);
    drawAll(ctx, colour, brightnessScale(ctx.record.brightness));
    SyncFrames f;
    fillAll(f, ctx.state.regionColours, scaled(colour, pointerFactor(ctx.record.brightness)));
    sendFrames(ctx, f, kKeyboardRestStatic);
    ctx.host.sleepMs(kStaticTickRest);
}

void syncBreathing(SyncContext& ctx) {
    SyncScratch& ss = ctx.state.scratch;
    ss.phase = ss.phase + 1u >= BreathEnvelope.size() ? 0 : static_cast<std::uint8_t>(ss.phase + 1);
    if (ss.phase == 0) ss.breathHue = nextRandomByte(ctx.state.randomState);
    const Rgb colour = ctx.record.multiColour == 1 ? ColourWheel[ss.breathHue] : fixedColour(ctx.record);
    const std::uint8_t e = BreathEnvelope[ss.phase];
    drawAll(ctx, colour, alphaOf(brightnessScale(ctx.record.brightness), e));
    SyncFrames f;
    fillAll(f, ctx.state.regionColours, envelopeFirst(colour, e + 1u, pointerFactor(ctx.record.brightness)));
    sendFrames(ctx, f, kKeyboardRestBreathing);
}

void syncWave(SyncContext& ctx) {
    const bool multi = ctx.record.multiColour == 1;
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    const unsigned factor = s + 1u;
    const std::uint8_t phase = stepSyncPhase(ctx, multi ? 192 : 96);
    SyncFrames f;
    const bool drawKeys = ctx.parts.keyboard && !ctx.parts.membraneKeyboard;
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
            if (k == kNoMatrixKey) continue;
            const std::uint8_t n = LedIndexTable[k];
            if (n != kNoKey) putRgb(f.keyboard, n, led);
            if (drawKeys) ctx.keyboardMirror.draw(k, screen, alpha);
        }
        if (c < kMouseGroupCount) {
            for (std::uint8_t n : MouseLedGroups[c]) {
                putRgb(f.mouse, n, led);
                if (ctx.parts.mouse) ctx.mouseMirror.draw(n, screen, alpha);
            }
        }
        if (c < kMousepadLedCount) {
            putRgb(f.mousepad, c, led);
            if (ctx.parts.mousepad) ctx.mousepadMirror.draw(c, screen, alpha);
        }
    }
    // The regions run a phase step ahead of the columns.
    const std::uint8_t regionPhase = stepSyncPhase(ctx, multi ? 192 : 96);
    membraneWaveRegions(regionPhase, ctx.record, factor, ctx.state.regionColours,
                        ctx.parts.membraneKeyboard ? &ctx.keyboardMirror : nullptr);
    sendFrames(ctx, f, kKeyboardRestWave);
}

void syncSpectrum(SyncContext& ctx) {
    const std::uint8_t phase = stepSyncPhase(ctx, 192);
    const Rgb colour = ColourWheel[phase];
    drawAll(ctx, colour, brightnessScale(ctx.record.brightness));
    SyncFrames f;
    fillAll(f, ctx.state.regionColours, scaled(colour, pointerFactor(ctx.record.brightness)));
    sendFrames(ctx, f, kKeyboardRestSpectrum);
}

std::span<const SyncGenerator> syncGenerators() {
    static constexpr std::array<SyncGenerator, 4> kTable{syncStatic, syncBreathing, syncWave, syncSpectrum};
    return kTable;
}

bool runSyncTick(SyncContext& ctx) {
    const auto table = syncGenerators();
    if (ctx.record.mode >= table.size()) return false;
    table[ctx.record.mode](ctx);
    ctx.keyboardMirror.publish();
    ctx.mouseMirror.publish();
    ctx.mousepadMirror.publish();
    return true;
}

}  // namespace quillon::lighting
