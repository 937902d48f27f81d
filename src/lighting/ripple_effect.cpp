// RGB mode 5: waves that spread sideways from column 9 and move one row per
// tick, leaving keys that fade to a dim glow.

#include "lighting/colour_math.h"
#include "lighting/rgb_effects.h"

namespace quillon::lighting {

void spreadRipplePlanes(std::array<RipplePlane, 4>& p) {
    RipplePlane& p0 = p[0];
    RipplePlane& p1 = p[1];
    RipplePlane& p2 = p[2];
    RipplePlane& p3 = p[3];
    constexpr std::size_t last = kColumnCount - 1;
    // P0 and P3 travel towards column 0, P1 and P2 towards column 22.
    for (std::size_t c = 0; c < last; ++c) {
        p0[c] = static_cast<std::uint8_t>(p0[c] << 1 | p0[c + 1]);
        p3[c] = static_cast<std::uint8_t>(p3[c] >> 1 | p3[c + 1]);
    }
    p0[last] = static_cast<std::uint8_t>(p0[last] << 1);
    p3[last] >>= 1;
    for (std::size_t c = last; c >= 1; --c) {
        p1[c] = static_cast<std::uint8_t>(p1[c] << 1 | p1[c - 1]);
        p2[c] = static_cast<std::uint8_t>(p2[c] >> 1 | p2[c - 1]);
    }
    p1[0] = static_cast<std::uint8_t>(p1[0] << 1);
    p2[0] >>= 1;
}

SendRule rgbRipple(EffectContext& ctx) {
    KeyboardScratch& st = ctx.state.keyboard;
    auto& planes = st.ripple;
    const LightingRecord& r = ctx.record;
    const std::uint8_t s = brightnessScale(r.brightness);

    const std::uint8_t m = planes[0][9] | planes[1][9] | planes[2][9] | planes[3][9];
    if (m == 1) {
        for (RipplePlane& p : planes)
            p[9] |= 1u;
    } else if (m == 64) {
        for (RipplePlane& p : planes)
            p[9] |= 1u << 6;
    }

    for (std::size_t c = 0; c < kColumnCount; ++c) {
        const std::uint8_t bits = planes[0][c] | planes[1][c] | planes[2][c] | planes[3][c];
        for (std::size_t row = 0; row < kColumnRows; ++row) {
            if ((bits >> row & 1u) == 0)
                continue;
            const std::uint8_t k = ColumnMatrix[kColumnRows * c + row];
            if (k >= kKeyControlCount)
                continue;
            st.keyLevel[k] = 255;
            if (r.multiColour == 1) {
                st.keyHue[k] = static_cast<std::uint8_t>(ctx.frameTick.fetch_add(11) + 11);
            }
        }
    }

    spreadRipplePlanes(planes);

    const Rgb fixed = fixedColour(r);
    for (std::size_t i = 0; i < kSnakeKeyCount; ++i) {
        const std::uint8_t k = SnakePath[i];
        st.keyLevel[k] = decayKeyLevel(st.keyLevel[k], 5);
        const std::uint8_t e = st.keyLevel[k];
        const Rgb c = r.multiColour == 1 ? ColourWheel[st.keyHue[k]] : fixed;
        lightKey(ctx, k, c, alphaOf(s, e), envelopeFirst(c, e, s));
    }
    return SendRule::ifOutputEnabled;
}

}  // namespace quillon::lighting
