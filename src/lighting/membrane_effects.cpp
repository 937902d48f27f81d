#include "lighting/membrane_effects.h"

#include "lighting/colour_math.h"
#include "lighting/membrane_tables.h"
#include "lighting/rgb_effects.h"

namespace quillon::lighting {

namespace {

using Regions = std::array<Rgb, kRegionCount>;

template <class Visit>
void forEachRegionKey(std::size_t r, Visit visit) {
    for (std::uint8_t k : MembraneRegions[r]) {
        if (k != kNoKey)
            visit(k);
    }
}

void drawRegion(ScreenMirror& mirror, std::size_t r, Rgb colour, std::uint8_t alpha) {
    forEachRegionKey(r, [&](std::uint8_t k) { mirror.draw(k, colour, alpha); });
}

// Keeps the regions in the store and puts them into the frame.
SendRule finish(EffectContext& ctx, const Regions& regions) {
    ctx.state.membrane.regionColours = regions;
    ctx.frameLength = kMembraneFrameBytes;
    putMembraneRegions(ctx.frame, regions);
    return SendRule::ifOutputEnabled;
}

// Level decay of the fading stack.
std::uint8_t decayStackLevel(std::uint8_t v) {
    if (v >= 128)
        return static_cast<std::uint8_t>(v - 40);
    if (v >= 64)
        return static_cast<std::uint8_t>(v - 30);
    if (v >= 32)
        return static_cast<std::uint8_t>(v - 10);
    if (v >= 17)
        return static_cast<std::uint8_t>(v - 8);
    if (v >= 9)
        return static_cast<std::uint8_t>(v - 1);
    return 0;
}

// The stack's blocks start again: dark regions, a block at the entry slot.
void startStack(MembraneScratch& m, std::uint8_t direction) {
    m.slots.fill(0);
    m.fading = 0;
    if (direction == 1) {
        m.slots[kRegionCount - 1] = 1;
        m.stackLength = 0;
    } else {
        m.slots[0] = 1;
        m.stackLength = static_cast<int>(kRegionCount) - 1;
    }
}

// One step of the stacking phase: a block enters or the falling block moves on.
void stepStack(MembraneScratch& m, std::uint8_t direction) {
    constexpr int kLast = static_cast<int>(kRegionCount) - 1;
    const int len = m.stackLength;
    if (len < 0 || len > kLast) {  // a length from an interrupted stack: start fading
        m.fading = 1;
        return;
    }
    if (m.slots[len] == 1) {
        if (direction == 1) {
            m.slots[kLast] = 1;
            ++m.stackLength;
            if (m.stackLength > kLast)
                m.fading = 1;
        } else {
            m.slots[0] = 1;
            --m.stackLength;
            if (m.stackLength < 0)
                m.fading = 1;
        }
        return;
    }
    if (direction == 1) {
        for (int i = len; i < kLast; ++i) {
            m.slots[i] = m.slots[i + 1];
            m.slots[i + 1] = 0;
        }
    } else {
        for (int i = len; i > 0; --i) {
            m.slots[i] = m.slots[i - 1];
            m.slots[i - 1] = 0;
        }
    }
}

}  // namespace

void membraneWaveRegions(std::uint8_t phase, const LightingRecord& rec, unsigned scaleFactor,
                         Regions& regions, ScreenMirror* mirror) {
    const std::uint8_t s = brightnessScale(rec.brightness);
    // The synchronised wave scales by s + 1 and envelope + 1; the keyboard's own by s and e.
    const unsigned plus = scaleFactor > s ? 1 : 0;
    if (rec.multiColour == 1) {
        std::uint8_t h = phase;
        for (std::size_t r = 0; r < kRegionCount; ++r) {
            regions[r] = scaled(ColourWheel[h], scaleFactor);
            if (mirror)
                drawRegion(*mirror, r, ColourWheel[h], s);
            h = advance(h, 7, 192);
        }
        return;
    }
    std::uint8_t n = phase;
    for (std::size_t r = 0; r < kRegionCount; ++r) {
        const std::uint8_t w = advance(n, 7, WaveEnvelope.size());
        regions[r] = brightnessFirst(fixedColour(rec), scaleFactor, WaveEnvelope[w] + plus);
        if (mirror)
            drawRegion(*mirror, r, fixedColour(rec), alphaOf(s, WaveEnvelope[w]));
        n = w;
    }
}

SendRule membraneStatic(EffectContext& ctx) {
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    const Rgb colour = scaled(fixedColour(ctx.record), s);
    Regions regions;
    for (std::size_t r = 0; r < kRegionCount; ++r) {
        regions[r] = colour;
        drawRegion(ctx.mirror, r, colour, s);
    }
    return finish(ctx, regions);
}

SendRule membraneBreathing(EffectContext& ctx) {
    KeyboardScratch& ks = ctx.state.keyboard;
    ks.phase = ks.phase + 1u >= BreathEnvelope.size() ? 0 : static_cast<std::uint8_t>(ks.phase + 1);
    if (ks.phase == 0)
        ks.breathHue = nextRandomByte(ks.randomState);
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    const Rgb colour =
        ctx.record.multiColour == 1 ? ColourWheel[ks.breathHue] : fixedColour(ctx.record);
    const std::uint8_t e = BreathEnvelope[ks.phase];
    Regions regions;
    for (std::size_t r = 0; r < kRegionCount; ++r) {
        regions[r] = brightnessFirst(colour, s, e);
        drawRegion(ctx.mirror, r, colour, alphaOf(s, e));
    }
    return finish(ctx, regions);
}

SendRule membraneWave(EffectContext& ctx) {
    KeyboardScratch& ks = ctx.state.keyboard;
    ks.phase = stepPhase(ks.phase, ctx.record.direction, ctx.record.multiColour == 1 ? 192 : 96);
    Regions regions;
    membraneWaveRegions(ks.phase, ctx.record, brightnessScale(ctx.record.brightness), regions,
                        &ctx.mirror);
    return finish(ctx, regions);
}

SendRule membraneSpectrum(EffectContext& ctx) {
    KeyboardScratch& ks = ctx.state.keyboard;
    ks.phase = stepPhase(ks.phase, ctx.record.direction, 192);
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    const Rgb colour = ColourWheel[ks.phase];
    Regions regions;
    for (std::size_t r = 0; r < kRegionCount; ++r) {
        regions[r] = scaled(colour, s);
        drawRegion(ctx.mirror, r, colour, s);
    }
    return finish(ctx, regions);
}

SendRule membraneOff(EffectContext& ctx) {
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t r = 0; r < kRegionCount; ++r)
        drawRegion(ctx.mirror, r, Rgb{}, s);
    return finish(ctx, Regions{});
}

SendRule membraneStack(EffectContext& ctx) {
    MembraneScratch& m = ctx.state.membrane;
    const std::uint8_t dir = ctx.record.direction == 1 ? 1 : 0;
    if (ctx.signals && ctx.signals->membraneDirectionChanged.exchange(false)) {
        // The old stack goes dark at once; the new one builds from the other end.
        std::array<std::uint8_t, kMembraneFrameBytes> dark{};
        membraneOff(ctx);
        if (ctx.host.outputEnabled())
            ctx.host.send(link::DeviceKind::keyboard, dark);
        m.level = 0;
        m.hueCounter = 0;
        startStack(m, dir);
    }
    if (m.level == 0) {
        m.regionColours = Regions{};
        for (std::size_t r = kRegionCount; r-- > 0;) {
            m.hueCounter = advance(m.hueCounter, 11, 192);
            m.regionHues[r] = m.hueCounter;
        }
        m.level = 255;
        startStack(m, dir);
        return SendRule::none;
    }

    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    Regions regions{};
    if (m.fading == 0) {
        for (std::size_t r = 0; r < kRegionCount; ++r) {
            const Rgb colour =
                m.slots[r] == 1 ? scaled(ColourWheel[stackBlockHue(m.regionHues[r])], s) : Rgb{};
            regions[r] = colour;
            drawRegion(ctx.mirror, r, colour, s);
        }
        stepStack(m, dir);
    } else {
        m.level = decayStackLevel(m.level);
        for (std::size_t r = 0; r < kRegionCount; ++r) {
            regions[r] = brightnessFirst(ColourWheel[stackBlockHue(m.regionHues[r])], s, m.level);
            drawRegion(ctx.mirror, r, regions[r], alphaOf(s, m.level));
        }
    }
    return finish(ctx, regions);
}

SendRule membraneCustom(EffectContext& ctx) {
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    Regions regions{};
    for (std::size_t r = 0; r < kRegionCount; ++r) {
        forEachRegionKey(r, [&](std::uint8_t k) {
            const Rgb stored{ctx.customSet[3 * k], ctx.customSet[3 * k + 1],
                             ctx.customSet[3 * k + 2]};
            const Rgb colour = scaled(stored, s);
            ctx.mirror.draw(k, colour, s);
            regions[r] = colour;  // the region shows its last key's colour
        });
    }
    return finish(ctx, regions);
}

}  // namespace quillon::lighting
