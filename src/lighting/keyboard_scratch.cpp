#include <algorithm>

#include "lighting/effect_state.h"
#include "lighting/key_layout_tables.h"
#include "lighting/mode_numbers.h"
#include "lighting/rgb_effects.h"

namespace quillon::lighting {

void resetKeyboardScratch(KeyboardScratch& s) {
    s.phase = 0;
    std::fill_n(s.keyLevel.begin(), kKeyControlCount, 0);
    std::fill_n(s.keyHue.begin(), kKeyControlCount, 0);
    for (RipplePlane& p : s.ripple)
        std::fill_n(p.begin(), kColumnCount, 0);
}

std::uint8_t nextRandomByte(std::uint32_t& state) {
    // The classic runtime generator: 15-bit results from a 32-bit LCG.
    state = state * 214013u + 2531011u;
    return static_cast<std::uint8_t>((state >> 16) & 0x7FFFu);
}

std::uint8_t decayKeyLevel(std::uint8_t v, std::uint8_t mode) {
    if (v >= 128)
        return static_cast<std::uint8_t>(v - (mode == kRgbRippleMode   ? 40
                                              : mode == kRgbCustomMode ? 30
                                                                       : 20));
    if (v >= 64)
        return static_cast<std::uint8_t>(v - (mode == kRgbRippleMode   ? 30
                                              : mode == kRgbCustomMode ? 20
                                                                       : 10));
    if (v >= 32)
        return static_cast<std::uint8_t>(
            v - (mode == kRgbRippleMode || mode == kRgbCustomMode ? 10 : 8));
    if (v >= 17)
        return static_cast<std::uint8_t>(v - (mode == kRgbRippleMode ? 8 : 5));
    if (v >= 9)
        return mode == kRgbRippleMode || mode == kRgbCustomMode ? v
                                                                : static_cast<std::uint8_t>(v - 4);
    return 0;
}

namespace {

constexpr std::array<bool, kKeyControlCount + 1> makeSnakeMembership() {
    std::array<bool, kKeyControlCount + 1> on{};
    for (std::size_t i = 0; i < kSnakeKeyCount; ++i)
        on[SnakePath[i]] = true;
    on[kNoKey] = false;
    return on;
}
constexpr auto kOnSnake = makeSnakeMembership();

void seedRipple(KeyboardScratch& s) {
    // The first wave starts from the bottom row of column 9.
    for (RipplePlane& p : s.ripple)
        p[9] |= 1u << 6;
}

void seedRain(KeyboardScratch& s) {
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        const int base = 157 - 8 * static_cast<int>(c);
        int p = base >= 0 ? base : 350 - 8 * static_cast<int>(c);
        for (std::size_t r = 0; r < kColumnRows; ++r) {
            if (r > 0)
                p = p < 35 ? p + 158 : p - 35;
            const std::uint8_t k = ColumnMatrix[kColumnRows * c + r];
            if (k == kNoMatrixKey)
                continue;
            s.keyPhase[k] = static_cast<std::uint8_t>(p);
            s.keyHue[k] = static_cast<std::uint8_t>(7 * c);
        }
    }
}

void seedPulseField(KeyboardScratch& s) {
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        for (std::size_t r = 0; r < kColumnRows; ++r) {
            const std::uint8_t k = ColumnMatrix[kColumnRows * c + r];
            if (k == kNoMatrixKey)
                continue;
            // The seed table is read at 6c + r although columns have seven rows.
            s.keyLevel[k] = PulseFieldSeeds[6 * c + r];
            s.keyHue[k] = static_cast<std::uint8_t>(7 * c);
        }
    }
}

}  // namespace

bool onSnakePath(std::size_t key) {
    return key < kOnSnake.size() && kOnSnake[key];
}

void seedRgbMode(KeyboardScratch& s, std::uint8_t mode) {
    switch (mode) {
        case 5:
            seedRipple(s);
            break;
        case 7:
            seedRain(s);
            break;
        case 9:
            seedPulseField(s);
            break;
        default:
            break;
    }
}

}  // namespace quillon::lighting
