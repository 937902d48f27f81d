#include "lighting/onecolour_effects.h"

#include <array>

#include "lighting/busy_guard.h"
#include "lighting/colour_math.h"
#include "lighting/key_layout_tables.h"
#include "lighting/onecolour_tables.h"
#include "lighting/rgb_effects.h"

namespace quillon::lighting {

namespace {

// The decay column of "other modes": no one-colour mode has a slower one.
constexpr std::uint8_t kPlainDecay = 0;

std::uint8_t level(unsigned s, unsigned v) {
    return alphaOf(s, v);
}

// Level of key control c: on screen as alpha, in the frame at its LED.
void lightKeyLevel(EffectContext& ctx, std::size_t c, std::uint8_t v) {
    if (c >= kKeyControlCount)
        return;
    ctx.mirror.draw(c, kOneColourKeyColour, v);
    const std::uint8_t led = OneColourLedIndexTable[c];
    if (led < kOneColourFrameBytes)
        ctx.frame[led] = v;
}

void prepare(EffectContext& ctx) {
    ctx.frameLength = kOneColourFrameBytes;
}

template <class Visit>
void forEachSnakeKey(std::size_t entries, Visit visit) {
    for (std::size_t i = 0; i < entries && i < OneColourSnakePath.size(); ++i) {
        const std::uint8_t k = OneColourSnakePath[i];
        if (k != kNoKey)
            visit(k);
    }
}

template <class Visit>
void forEachBandKey(Visit visit) {
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        for (std::size_t r = 0; r < kBandRows; ++r) {
            const std::uint8_t k = BandMatrix[kBandRows * c + r];
            if (k != kNoKey)
                visit(c, r, k);
        }
    }
}

std::uint8_t rippleColumn(const std::array<RipplePlane, 4>& p, std::size_t c) {
    return static_cast<std::uint8_t>(p[0][c] | p[1][c] | p[2][c] | p[3][c]);
}

// Rain and pulse field: every snake-path key runs its own pulse.
void pulseKeys(EffectContext& ctx) {
    KeyboardScratch& ks = ctx.state.keyboard;
    const unsigned s = brightnessScale(ctx.record.brightness);
    forEachSnakeKey(kSnakeKeyCount, [&](std::uint8_t k) {
        std::uint8_t& ph = ks.keyPhase[k];
        ph = ph + 1u >= PulseEnvelope.size() ? 0 : static_cast<std::uint8_t>(ph + 1);
        lightKeyLevel(ctx, k, level(PulseEnvelope[ph], s));
    });
}

void seedRain(KeyboardScratch& s) {
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        const int base = 157 - 8 * static_cast<int>(c);
        int p = base >= 0 ? base : 350 - 8 * static_cast<int>(c);
        for (std::size_t r = 0; r < kBandRows; ++r) {
            if (r > 0)
                p = p < 35 ? p + 158 : p - 35;
            const std::uint8_t k = OneColourColumnMatrix[kBandRows * c + r];
            if (k == kNoKey)
                continue;
            s.keyPhase[k] = static_cast<std::uint8_t>(p);
            s.keyHue[k] = static_cast<std::uint8_t>(7 * c);
        }
    }
}

void seedStarlight(KeyboardScratch& s) {
    // Every control position in turn; positions past the star order pick the
    // first path key, as its zero-filled tail does.
    for (std::size_t pos = 0; pos < kKeyControlCount; ++pos) {
        const std::uint8_t star = pos < OneColourStarOrder.size() ? OneColourStarOrder[pos] : 0;
        s.keyPhase[OneColourSnakePath[star]] = static_cast<std::uint8_t>((7 * pos) % 112);
    }
}

void seedPulseField(KeyboardScratch& s) {
    forEachBandKey([&](std::size_t c, std::size_t r, std::uint8_t k) {
        s.keyPhase[k] = PulseFieldSeeds[kBandRows * c + r];
    });
}

}  // namespace

SendRule oneColourStatic(EffectContext& ctx) {
    prepare(ctx);
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t n = 0; n < kOneColourFrameBytes; ++n)
        ctx.frame[n] = s;
    for (std::size_t c = 0; c < kKeyControlCount; ++c)
        ctx.mirror.draw(c, kOneColourKeyColour, s);
    return SendRule::ifOutputEnabled;
}

SendRule oneColourBreathing(EffectContext& ctx) {
    prepare(ctx);
    KeyboardScratch& ks = ctx.state.keyboard;
    ks.phase = ks.phase + 1u >= BreathEnvelope.size() ? 0 : static_cast<std::uint8_t>(ks.phase + 1);
    const std::uint8_t v = level(brightnessScale(ctx.record.brightness), BreathEnvelope[ks.phase]);
    // Every key breathes at its own LED; LEDs that no key drives stay dark.
    for (std::size_t c = 0; c < kKeyControlCount; ++c)
        lightKeyLevel(ctx, c, v);
    return SendRule::ifOutputEnabled;
}

SendRule oneColourWave(EffectContext& ctx) {
    prepare(ctx);
    KeyboardScratch& ks = ctx.state.keyboard;
    const unsigned s = brightnessScale(ctx.record.brightness);
    ks.phase = stepPhase(ks.phase, ctx.record.direction, WaveEnvelope.size());
    std::uint8_t w = ks.phase;
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        const std::uint8_t v = level(s, WaveEnvelope[w]);
        for (std::size_t r = 0; r < kBandRows; ++r) {
            const std::uint8_t k = BandMatrix[kBandRows * c + r];
            if (k != kNoKey)
                lightKeyLevel(ctx, k, v);
        }
        w = advance(w, 7, WaveEnvelope.size());
    }
    return SendRule::ifOutputEnabled;
}

SendRule oneColourSpiral(EffectContext& ctx) {
    prepare(ctx);
    KeyboardScratch& ks = ctx.state.keyboard;
    const unsigned s = brightnessScale(ctx.record.brightness);
    ks.phase = stepPhase(ks.phase, ctx.record.direction, WaveEnvelope.size());
    std::uint8_t w = ks.phase;
    forEachSnakeKey(110, [&](std::uint8_t k) {
        lightKeyLevel(ctx, k, level(s, WaveEnvelope[w]));
        w = advance(w, 5, WaveEnvelope.size());
    });
    return SendRule::always;
}

SendRule oneColourRipple(EffectContext& ctx) {
    prepare(ctx);
    ctx.host.sleepMs(40);  // a stop request just ends the tick early; the frame is still valid
    KeyboardScratch& ks = ctx.state.keyboard;
    auto& planes = ks.ripple;
    forEachBandKey([&](std::size_t c, std::size_t r, std::uint8_t k) {
        ks.keyLevel[k] = (rippleColumn(planes, c) >> r & 1u) ? 254 : 0;
    });
    spreadRipplePlanes(planes);
    const std::uint8_t m = rippleColumn(planes, 9);
    if (m == 0x01 || m == 0x60) {
        const std::uint8_t bits = m == 0x01 ? 0x03 : 0x60;
        for (RipplePlane& p : planes)
            p[9] |= bits;
    }
    const unsigned s = brightnessScale(ctx.record.brightness);
    forEachSnakeKey(kSnakeKeyCount, [&](std::uint8_t k) {
        ks.keyLevel[k] = decayKeyLevel(ks.keyLevel[k], kPlainDecay);
        lightKeyLevel(ctx, k, level(s, ks.keyLevel[k]));
    });
    return SendRule::ifOutputEnabled;
}

SendRule oneColourTrail(EffectContext& ctx) {
    prepare(ctx);
    KeyboardScratch& ks = ctx.state.keyboard;
    std::uint8_t k = kNoKey;
    if (ctx.record.direction == 1) {
        if (ks.trailPos < kTrailLength) {
            k = OneColourTrailPath[ks.trailPos];
            ++ks.trailPos;
        } else {
            ks.trailPos = 0;
        }
    } else if (ks.trailPos > 0) {
        // Position 110 lies past the path: that tick is a pause like the path's own.
        if (ks.trailPos < kTrailLength)
            k = OneColourTrailPath[ks.trailPos];
        ks.trailPos = static_cast<std::uint8_t>(
            (ks.trailPos > kTrailLength ? kTrailLength : ks.trailPos) - 1);
    } else {
        ks.trailPos = kTrailLength;
    }
    if (k != kNoKey) {
        ks.keyLevel[k] = 254;
        const std::uint8_t tick = static_cast<std::uint8_t>(ctx.frameTick.fetch_add(13) + 13);
        ks.keyHue[k] = tick;
    }
    const unsigned s = brightnessScale(ctx.record.brightness);
    forEachSnakeKey(kSnakeKeyCount, [&](std::uint8_t key) {
        ks.keyLevel[key] = decayKeyLevel(ks.keyLevel[key], kPlainDecay);
        lightKeyLevel(ctx, key, level(s, ks.keyLevel[key]));
    });
    return SendRule::ifOutputEnabled;
}

SendRule oneColourRain(EffectContext& ctx) {
    prepare(ctx);
    pulseKeys(ctx);
    return SendRule::ifOutputEnabled;
}

SendRule oneColourStarlight(EffectContext& ctx) {
    prepare(ctx);
    ctx.host.sleepMs(100);
    KeyboardScratch& ks = ctx.state.keyboard;
    std::uint8_t h = ctx.frameTick.load();
    for (int i = 0; i < 3; ++i) {
        ks.starPos =
            ks.starPos + 1u >= kOneColourStarCount ? 0 : static_cast<std::uint8_t>(ks.starPos + 1);
        const std::uint8_t k = OneColourSnakePath[OneColourStarOrder[ks.starPos]];
        h = static_cast<std::uint8_t>(h + 10);
        ks.keyHue[k] = h;
        ks.keyLevel[k] = 255;
    }
    ctx.frameTick.store(h);

    BusyGuard busy(ctx.busy.oneColourStarlight);
    if (!busy.held())
        return SendRule::none;
    const unsigned s = brightnessScale(ctx.record.brightness);
    // The device follows the stars' levels, so it twinkles as the screen does.
    for (std::size_t c = 0; c < kKeyControlCount; ++c) {
        ks.keyLevel[c] = decayKeyLevel(ks.keyLevel[c], kPlainDecay);
        lightKeyLevel(ctx, c, level(s, ks.keyLevel[c]));
    }
    return SendRule::ifOutputEnabled;
}

SendRule oneColourPulseField(EffectContext& ctx) {
    prepare(ctx);
    pulseKeys(ctx);
    return SendRule::always;
}

SendRule oneColourOff(EffectContext& ctx) {
    prepare(ctx);
    const std::uint8_t s = brightnessScale(ctx.record.brightness);
    for (std::size_t c = 0; c < kKeyControlCount; ++c)
        ctx.mirror.draw(c, Rgb{}, s);
    return SendRule::ifOutputEnabled;
}

SendRule oneColourCustom(EffectContext& ctx) {
    prepare(ctx);
    const unsigned s = brightnessScale(ctx.record.brightness);
    for (std::size_t c = 0; c < kKeyControlCount; ++c) {
        const std::uint8_t n = OneColourLedIndexTable[c];
        if (n == kNoKey)
            continue;
        const std::uint8_t v = ctx.customSet[n];
        // Only a fully lit key shows its colour; the device still gets the level.
        ctx.mirror.draw(c, v == 0xFF ? kOneColourKeyColour : Rgb{}, static_cast<std::uint8_t>(s));
        ctx.frame[n] = level(s, v);
    }
    return SendRule::ifOutputEnabled;
}

void seedOneColourMode(KeyboardScratch& s, std::uint8_t mode) {
    switch (mode) {
        case 4:
            // The first wave starts from the bottom row of column 9.
            for (RipplePlane& p : s.ripple)
                p[9] |= 1u << 6;
            break;
        case 6:
            seedRain(s);
            break;
        case 7:
            seedStarlight(s);
            break;
        case 8:
            seedPulseField(s);
            break;
        default:
            break;
    }
}

}  // namespace quillon::lighting
