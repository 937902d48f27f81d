#pragma once

// The pictures over the mouse's buttons: each button's overlay shows its
// "down" image while the pointer is over the button (its name beside the
// picture or the overlay itself) or while the button is being edited, else
// its "normal" one. The second-edition mouse has none.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "keys/key_map.h"
#include "link/device_models.h"

namespace quillon::keys {

struct ButtonOverlayImages {
    std::string_view normal;
    std::string_view down;
    std::string_view normal2;  // model 2
    std::string_view down2;
};

// clang-format off
inline constexpr std::array<ButtonOverlayImages, kMouseButtons> kMouseButtonOverlays{{
    {"file='ms/key_left_normal.png'", "file='ms/key_left_down.png'",
     "file='ms/key_left_normal_2.png'", "file='ms/key_left_down_2.png'"},
    {"file='ms/key_wheel_normal.png'", "file='ms/key_wheel_down.png'",
     "file='ms/key_wheel_normal_2.png'", "file='ms/key_wheel_down_2.png'"},
    {"file='ms/key_right_normal.png'", "file='ms/key_right_down.png'",
     "file='ms/key_right_normal_2.png'", "file='ms/key_right_down_2.png'"},
    {"file='ms/key_forward_normal.png'", "file='ms/key_forward_down.png'",
     "file='ms/key_forward_normal_2.png'", "file='ms/key_forward_down_2.png'"},
    {"file='ms/key_back_normal.png'", "file='ms/key_back_down.png'",
     "file='ms/key_back_normal_2.png'", "file='ms/key_back_down_2.png'"},
    {"file='ms/key_dpi_normal.png'", "file='ms/key_dpi_down.png'",
     "file='ms/key_dpi_normal_2.png'", "file='ms/key_dpi_down_2.png'"},
}};
// clang-format on

// The overlay controls, slot by slot: over the picture of mouse model 0 and
// of model 2. A click on one chooses its button, like the button's own.
inline constexpr std::array<std::string_view, kMouseButtons> kModel0ButtonOverlays{
    "ms_key_0_0", "ms_key_1_0", "ms_key_2_0", "ms_key_3_0", "ms_key_4_0", "ms_key_5_0"};
inline constexpr std::array<std::string_view, kMouseButtons> kModel2ButtonOverlays{
    "ms2_key_0_0", "ms2_key_1_0", "ms2_key_2_0", "ms2_key_3_0", "ms2_key_4_0", "ms2_key_5_0"};

struct OverlayChange {
    std::string control;
    std::string_view image;
};

// The overlay of button `slot` and the image it takes, lit ("down") or not;
// nullopt for the second edition and for slots without a button.
inline std::optional<OverlayChange> buttonOverlay(link::MouseModel model, std::size_t slot,
                                                  bool lit) {
    if (slot >= kMouseButtons || model == link::MouseModel::secondEdition)
        return std::nullopt;
    const ButtonOverlayImages& images = kMouseButtonOverlays[slot];
    const bool model2 = model == link::MouseModel::model2;
    return OverlayChange{
        std::string(model2 ? kModel2ButtonOverlays[slot] : kModel0ButtonOverlays[slot]),
        model2 ? (lit ? images.down2 : images.normal2) : (lit ? images.down : images.normal)};
}

}  // namespace quillon::keys
