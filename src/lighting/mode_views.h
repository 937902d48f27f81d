#pragma once

// What each mode of each lighting view shows: the control groups, the texts
// of the two direction boxes and whether the same-mode button is usable.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "lighting/mode_numbers.h"
#include "lighting/timing_tables.h"

namespace quillon::lighting {

enum class SyncButton : std::uint8_t { enabled, disabled, unchanged };

// Direction box: hidden, shown, or shown but not usable.
enum class DirectionBox : std::uint8_t { hidden, shown, disabled };

struct ModeView {
    bool colour;       // colour layouts, palette, R/G/B edits
    bool multiColour;  // the 7-colour box
    DirectionBox direction;
    std::string_view firstLabel;   // language key of the FXL text; empty keeps it
    std::string_view secondLabel;  // language key of the FXR text
    bool speed;
    bool brightness;
    bool customTools;
    SyncButton sync;
};

namespace detail {
inline constexpr std::string_view kL = "Deng_FXL_text";
inline constexpr std::string_view kR = "Deng_FXR_text";
inline constexpr std::string_view kCw = "Deng_CWISE_text";
inline constexpr std::string_view kAw = "Deng_AWISE_text";
inline constexpr std::string_view kDown = "Deng_FXDOWN_text";
inline constexpr std::string_view kUp = "Deng_FXUP_text";
inline constexpr std::string_view kSpread = "Deng_FXSPEAD_text";
inline constexpr std::string_view kGather = "Deng_FXGATHER_text";
constexpr auto H = DirectionBox::hidden;
constexpr auto S = DirectionBox::shown;
constexpr auto D = DirectionBox::disabled;
constexpr auto On = SyncButton::enabled;
constexpr auto Off = SyncButton::disabled;
constexpr auto Keep = SyncButton::unchanged;
}  // namespace detail

// clang-format off
inline constexpr std::array<ModeView, 16> RgbModeViews{{
    //  colour multi  dir         labels                            speed  bright custom sync
    {true,  false, detail::H, detail::kL,      detail::kR,      false, true,  false, detail::On},   // static
    {true,  true,  detail::H, {},              {},              true,  true,  false, detail::On},   // breathing
    {true,  true,  detail::S, detail::kL,      detail::kR,      true,  true,  false, detail::On},   // wave
    {false, false, detail::H, {},              {},              true,  true,  false, detail::On},   // spectrum
    {true,  true,  detail::S, detail::kCw,     detail::kAw,     true,  true,  false, detail::Off},  // spiral
    {true,  true,  detail::H, {},              {},              true,  true,  false, detail::Off},  // ripple
    {true,  true,  detail::S, detail::kDown,   detail::kUp,     true,  true,  false, detail::Off},  // trail
    {true,  true,  detail::H, detail::kL,      detail::kR,      true,  true,  false, detail::Off},  // rain
    {true,  true,  detail::H, detail::kSpread, detail::kGather, true,  true,  false, detail::Off},  // starlight
    {true,  true,  detail::H, {},              {},              true,  true,  false, detail::Off},  // pulse field
    {false, false, detail::H, detail::kUp,     detail::kDown,   false, false, false, detail::Off},  // off
    {true,  false, detail::H, {},              {},              false, true,  true,  detail::Off},  // custom
    {true,  true,  detail::D, {},              {},              true,  true,  false, detail::Off},  // trail
    {false, false, detail::S, detail::kSpread, detail::kGather, true,  true,  false, detail::Off},  // rings
    {true,  true,  detail::S, detail::kL,      detail::kR,      true,  true,  false, detail::Off},  // pulse wave
    {true,  true,  detail::S, detail::kL,      detail::kR,      true,  true,  false, detail::Off},  // trail
}};

// The one-colour keyboard's colour is fixed by the hardware.
inline constexpr std::array<ModeView, 12> OneColourModeViews{{
    {false, false, detail::H, detail::kL,    detail::kR,    false, true,  false, detail::Off},   // static
    {false, false, detail::H, {},            {},            true,  true,  false, detail::Off},   // breathing
    {false, false, detail::S, detail::kL,    detail::kR,    true,  true,  false, detail::Off},   // wave
    {false, false, detail::S, detail::kCw,   detail::kAw,   true,  true,  false, detail::Off},   // spiral
    {false, false, detail::H, {},            {},            true,  true,  false, detail::Off},   // ripple
    {false, false, detail::S, detail::kDown, detail::kUp,   true,  true,  false, detail::Off},   // trail
    {false, false, detail::H, {},            {},            true,  true,  false, detail::Off},   // rain
    {false, false, detail::S, detail::kL,    detail::kR,    true,  true,  false, detail::Off},   // starlight
    {false, false, detail::S, detail::kL,    detail::kR,    true,  true,  false, detail::Off},   // pulse field
    {false, false, detail::H, {},            {},            false, false, false, detail::Off},   // off
    {false, false, detail::H, {},            {},            false, true,  true,  detail::Keep},  // custom
    {false, false, detail::H, {},            {},            true,  true,  false, detail::Keep},  // pulse field
}};

inline constexpr std::array<ModeView, 7> MembraneModeViews{{
    {true,  false, detail::H, {},         {},         false, true,  false, detail::On},   // static
    {true,  true,  detail::H, {},         {},         true,  true,  false, detail::On},   // breathing
    {true,  true,  detail::S, detail::kL, detail::kR, true,  true,  false, detail::On},   // wave
    {false, false, detail::H, {},         {},         true,  true,  false, detail::On},   // spectrum
    {false, false, detail::S, detail::kL, detail::kR, true,  true,  false, detail::Off},  // stack
    {false, false, detail::H, {},         {},         false, false, false, detail::Off},  // off
    {true,  false, detail::H, {},         {},         false, true,  true,  detail::Off},  // custom
}};

inline constexpr std::array<ModeView, 10> MouseModeViews{{
    {true,  false, detail::H, {}, {}, false, true, false, detail::On},   // static
    {true,  true,  detail::H, {}, {}, true,  true, false, detail::On},   // breathing
    {true,  true,  detail::S, {}, {}, true,  true, false, detail::On},   // wave
    {false, false, detail::H, {}, {}, true,  true, false, detail::On},   // spectrum
    {true,  true,  detail::S, {}, {}, true,  true, false, detail::Off},  // running light
    {true,  true,  detail::H, {}, {}, false, true, false, detail::Off},  // click flash
    {true,  true,  detail::H, {}, {}, true,  true, false, detail::Off},  // blink
    {true,  true,  detail::H, {}, {}, true,  true, false, detail::Off},  // blink
    {false, false, detail::H, {}, {}, false, false, false, detail::Off},  // off
    {false, false, detail::H, {}, {}, false, true, false, detail::Off},   // device effect
}};

inline constexpr std::array<ModeView, 10> MousepadModeViews{{
    {true,  true,  detail::S, {}, {}, true,  true, false, detail::On},   // wave
    {false, false, detail::H, {}, {}, true,  true, false, detail::On},   // spectrum
    {true,  true,  detail::H, {}, {}, true,  true, false, detail::On},   // breathing
    {true,  false, detail::H, {}, {}, false, true, false, detail::On},   // static
    {true,  true,  detail::S, {}, {}, true,  true, false, detail::Off},  // bar
    {true,  true,  detail::S, {}, {}, true,  true, false, detail::Off},  // running light
    {false, false, detail::H, {}, {}, true,  true, false, detail::Off},  // column wave
    {true,  true,  detail::H, {}, {}, true,  true, false, detail::Off},  // sweep
    {true,  true,  detail::H, {}, {}, false, true, false, detail::Off},  // click flash
    {false, false, detail::H, {}, {}, false, true, false, detail::Off},  // no frame
}};
// clang-format on

// The views of a lighting kind; a mode past the end shows nothing.
constexpr std::span<const ModeView> modeViews(LightingKind kind) {
    switch (kind) {
        case LightingKind::rgbKeyboard:
            return RgbModeViews;
        case LightingKind::oneColourKeyboard:
            return OneColourModeViews;
        case LightingKind::membraneKeyboard:
            return MembraneModeViews;
        case LightingKind::mouse:
            return MouseModeViews;
        case LightingKind::mousepad:
            return MousepadModeViews;
        case LightingKind::sync:
            return {};
    }
    return {};
}

// The custom mode of each keyboard variant (none: 255).
constexpr std::uint8_t customMode(LightingKind kind) {
    switch (kind) {
        case LightingKind::rgbKeyboard:
            return kRgbCustomMode;
        case LightingKind::oneColourKeyboard:
            return kOneColourCustomMode;
        case LightingKind::membraneKeyboard:
            return kMembraneCustomMode;
        default:
            return 255;
    }
}

}  // namespace quillon::lighting
