#pragma once

// Where each of the 126 keyboard positions sits on a physical keyboard:
// a full-size layout with the navigation cluster, the arrows and the numpad
// where a user expects them. Positions are the key-control indices of the
// lighting picture (`kb_dkey_N`, `kb_fkey_N`) and of the key-assignment
// picture (`kb_key_N`, `kb_keyf_N`); which of them a picture draws depends on
// the keyboard.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillon::gui {

// Geometry in quarters of a key unit (a standard key is 4 x 4).
struct KeyPlace {
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    std::uint8_t width = 0;  // 0: no key at this position
    std::uint8_t height = 0;
    std::string_view label;
    bool indicator = false;  // a lone LED, not a key
};

inline constexpr int kKeyboardWidthQuarters = 90;
inline constexpr int kKeyboardHeightQuarters = 25;
inline constexpr std::size_t kKeyboardPositions = 126;

// What a picture shows: the lights of one keyboard variant, or the keys
// that can be assigned.
enum class KeyboardPicture { rgbLights, oneColourLights, membraneLights, keys };

const std::array<KeyPlace, kKeyboardPositions>& keyboardPlaces();

// Whether `picture` draws `position`: a key or LED exists there. Positions
// that no key and no LED occupy are left out, as are the two RGB controls
// that share one LED (only the second is drawn).
bool positionDrawn(KeyboardPicture picture, std::size_t position);

// The picture of an attached keyboard variant (0 RGB, 1 one-colour,
// 2 membrane).
KeyboardPicture lightsOfVariant(int variant);

}  // namespace quillon::gui
