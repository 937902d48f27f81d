#pragma once

// The colour tables every effect shares: the brightness scale, the colour
// wheel, the three envelopes and the preset colours of the colour buttons.
// Colour arithmetic is 8-bit: channel * factor >> 8.

#include <array>
#include <cstddef>
#include <cstdint>

namespace quillon::lighting {

// Scale per brightness level; entry 15 is dark like level 0.
inline constexpr std::array<std::uint8_t, 16> BrightnessTable{
    0, 30, 75, 90, 105, 120, 135, 150, 165, 180, 195, 210, 225, 240, 255, 0,
};

// A level outside the table reads as its last entry (dark).
constexpr std::uint8_t brightnessScale(std::uint8_t level) {
    return BrightnessTable[level < BrightnessTable.size() ? level : BrightnessTable.size() - 1];
}

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// Rising and falling ramps the wheel is built from.
inline constexpr std::array<std::uint8_t, 32> ColourRampUp{
    1, 3, 5, 7, 10, 14, 18, 22, 26, 32, 38, 44, 50, 57, 65, 73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255,
};
inline constexpr std::array<std::uint8_t, 32> ColourRampDown{
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69, 61, 53, 47, 41, 35, 29, 24, 20, 16, 12, 8, 6, 4, 2, 0,
};

namespace detail {
constexpr std::array<Rgb, 256> makeColourWheel() {
    std::array<Rgb, 256> wheel{};
    for (std::size_t n = 0; n < 192; ++n) {
        const std::size_t i = n % 32;
        const std::uint8_t u = ColourRampUp[i];
        const std::uint8_t d = ColourRampDown[i];
        switch (n / 32) {
            case 0: wheel[n] = {255, u, 0}; break;
            case 1: wheel[n] = {d, 255, 0}; break;
            case 2: wheel[n] = {0, 255, u}; break;
            case 3: wheel[n] = {0, d, 255}; break;
            case 4: wheel[n] = {u, 0, 255}; break;
            default: wheel[n] = {255, 0, d}; break;
        }
    }
    // Entries 192..255 repeat 0..63 so that any byte is a valid hue.
    for (std::size_t n = 192; n < 256; ++n) wheel[n] = wheel[n - 192];
    return wheel;
}

template <std::size_t N>
constexpr std::array<std::uint8_t, 2 * N> mirrored(const std::array<std::uint8_t, N>& rising) {
    std::array<std::uint8_t, 2 * N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = rising[i];
        out[2 * N - 1 - i] = rising[i];
    }
    return out;
}

inline constexpr std::array<std::uint8_t, 48> kWaveRise{
    22, 24, 27, 30, 33, 36, 39, 42, 45, 49, 53, 57, 61, 65, 69, 73,
    77, 81, 85, 89, 94, 99, 104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255,
};

inline constexpr std::array<std::uint8_t, 64> kBreathRise{
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 18, 20,
    22, 24, 27, 30, 33, 36, 39, 42, 45, 49, 53, 57, 61, 65, 69, 73,
    77, 81, 85, 89, 94, 99, 104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255,
};
}  // namespace detail

inline constexpr std::array<Rgb, 256> ColourWheel = detail::makeColourWheel();

// Envelopes: a level 0..255 per phase step.
inline constexpr std::array<std::uint8_t, 96> WaveEnvelope = detail::mirrored(detail::kWaveRise);
inline constexpr std::array<std::uint8_t, 128> BreathEnvelope = detail::mirrored(detail::kBreathRise);
inline constexpr std::array<std::uint8_t, 192> PulseEnvelope{
    0, 4, 8, 14, 22, 33, 45, 61, 77, 94, 114, 134, 158, 182, 206, 234,
    255, 248, 241, 234, 227, 220, 213, 206, 200, 194, 188, 182, 176, 170, 164, 158,
    152, 146, 140, 134, 129, 124, 119, 114, 109, 104, 99, 94, 89, 85, 81, 77,
    73, 69, 65, 61, 57, 53, 49, 45, 42, 39, 36, 33, 30, 27, 24, 22,
    20, 18, 16, 14, 12, 10, 9, 8, 7, 6, 5, 4, 3, 2, 2, 1,
    // entries 80..191 are 0
};

// The colour buttons' presets, 0xAARRGGBB; index N of `*_Deng_color_btn_N`.
inline constexpr std::array<std::uint32_t, 30> PresetColours{
    0xFFFF0000, 0xFF00F6FF, 0xFF6CFF00, 0xFF7E00FF, 0xFF008AFF, 0xFF2400FF,
    0xFFADFE00, 0xFFFE5400, 0xFFFE8300, 0xFF8300E7, 0xFFB700AC, 0xFFFEB300,
    0xFFFEF500, 0xFFFF0000, 0xFFFF00F6, 0xFF21B309, 0xFF48B1FA, 0xFFFA48A4,
    0xFFFDFDFC, 0xFF4900E7, 0xFFFFC480, 0xFF000000, 0xFF1B48A3, 0xFF1B1A77,
    0xFF4877A3, 0xFF76A348, 0xFFACD55B, 0xFF7576D2, 0xFF7675FF, 0xFF4776A4,
};

}  // namespace quillon::lighting
