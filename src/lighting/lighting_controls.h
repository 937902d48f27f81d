#pragma once

// Every control the lighting views name, in one place. Names ending in an
// underscore are prefixes of numbered controls ("kb_Deng_color_btn_3").

#include <array>
#include <string_view>

#include "link/device_catalogue.h"

namespace quillon::lighting {

// What the keyboard, mouse and mousepad lighting views all have.
struct KindLightingControls {
    std::string_view sameMode;
    std::string_view modeCombo;
    std::string_view brightnessSlider;
    std::string_view speedSlider;
    std::string_view palette;
    std::string_view editRed;
    std::string_view editGreen;
    std::string_view editBlue;
    std::string_view colourButton;
    std::string_view multiColourCheck;
    std::string_view leftCheck;
    std::string_view rightCheck;
    std::string_view presetPrefix;
    std::string_view directionLayout;
    std::string_view colourLayout;
    std::string_view multiColourLayout;
    std::string_view speedLayout;
    std::string_view brightnessLayout;

    constexpr std::array<std::string_view, 18> all() const {
        return {sameMode,          modeCombo,   brightnessSlider, speedSlider,     palette,
                editRed,           editGreen,   editBlue,         colourButton,    multiColourCheck,
                leftCheck,         rightCheck,  presetPrefix,     directionLayout, colourLayout,
                multiColourLayout, speedLayout, brightnessLayout};
    }
};

// clang-format off
inline constexpr KindLightingControls kKeyboardLighting{
    "kb_deng_same_mode", "kb_deng_combo_modeSelect", "kb_deng_light_slider", "kb_deng_speed_slider",
    "kb_deng_Color_Pallet", "kb_Deng_edit_R", "kb_Deng_edit_G", "kb_Deng_edit_B",
    "kb_Deng_colordp_btn", "kb_Deng_7color_check", "kb_Deng_FXL_check", "kb_Deng_FXR_check",
    "kb_Deng_color_btn_", "kb_deng_fx_layout", "kb_deng_color_layout",
    "kb_deng_7colorselect_layout", "kb_deng_speed_layout", "kb_deng_light_layout"};
inline constexpr KindLightingControls kMouseLighting{
    "ms_deng_same_mode", "ms_deng_combo_modeSelect", "ms_deng_light_slider", "ms_deng_speed_slider",
    "ms_deng_Color_Pallet", "ms_Deng_edit_R", "ms_Deng_edit_G", "ms_Deng_edit_B",
    "ms_Deng_colordp_btn", "ms_Deng_7color_check", "ms_Deng_FXL_check", "ms_Deng_FXR_check",
    "ms_Deng_color_btn_", "ms_deng_fx_layout", "ms_deng_color_layout",
    "ms_deng_7colorselect_layout", "ms_deng_speed_layout", "ms_deng_light_layout"};
inline constexpr KindLightingControls kMousepadLighting{
    "mp_deng_same_mode", "mp_deng_combo_modeSelect", "mp_deng_light_slider", "mp_deng_speed_slider",
    "mp_deng_Color_Pallet", "mp_Deng_edit_R", "mp_Deng_edit_G", "mp_Deng_edit_B",
    "mp_Deng_colordp_btn", "mp_Deng_7color_check", "mp_Deng_FXL_check", "mp_Deng_FXR_check",
    "mp_Deng_color_btn_", "mp_deng_fx_layout", "mp_deng_color_layout",
    "mp_deng_7colorselect_layout", "mp_deng_speed_layout", "mp_deng_light_layout"};
// clang-format on

constexpr const KindLightingControls& lightingControls(link::DeviceKind kind) {
    switch (kind) {
        case link::DeviceKind::mouse:
            return kMouseLighting;
        case link::DeviceKind::mousepad:
            return kMousepadLighting;
        case link::DeviceKind::keyboard:
            break;
    }
    return kKeyboardLighting;
}

// The keyboard view's own controls: its variants' combos, the layouts only it
// has, and the custom colour tools.
struct KeyboardLightingControls {
    std::string_view oneColourModeCombo = "kb_deng_onecolor_combo_modeSelect";
    std::string_view membraneModeCombo = "kb_deng_film_combo_modeSelect";
    std::string_view colourDisplayLayout = "kb_deng_color_display_layout";
    std::string_view rgbLayout = "kb_deng_rgb_layout";
    std::string_view colourLump = "kb_deng_color_lump";
    std::string_view customToolLayout = "kb_deng_custom_tool_layout";
    std::string_view customSelectLayout = "kb_deng_custom_select_layout";
    std::string_view customColourLayout = "kb_deng_custom_color_layout";
    std::string_view leftLabel = "kb_Deng_label_FXL";
    std::string_view rightLabel = "kb_Deng_label_FXR";
    std::string_view customColourButton = "kb_Deng_custom_colordp_btn";
    std::string_view customSetCombo = "kb_deng_combo_curtom_count";
    std::string_view brushOnCheck = "kb_Deng_on_bright_check";
    std::string_view brushOffCheck = "kb_Deng_off_kill_check";
    std::string_view allLitCheck = "kb_Deng_all_bright_check";
    std::string_view allClearCheck = "kb_Deng_all_kill_check";
    std::string_view keyPrefix = "kb_dkey_";
    std::string_view membraneKeyPrefix = "kb_fkey_";

    constexpr std::array<std::string_view, 18> all() const {
        return {oneColourModeCombo, membraneModeCombo, colourDisplayLayout, rgbLayout,
                colourLump,         customToolLayout,  customSelectLayout,  customColourLayout,
                leftLabel,          rightLabel,        customColourButton,  customSetCombo,
                brushOnCheck,       brushOffCheck,     allLitCheck,         allClearCheck,
                keyPrefix,          membraneKeyPrefix};
    }
};
inline constexpr KeyboardLightingControls kKeyboardOnlyLighting{};

// The mouse view's direction buttons.
struct MouseLightingControls {
    std::string_view leftButton = "ms_Deng_FXL_btn";
    std::string_view rightButton = "ms_Deng_FXR_btn";

    constexpr std::array<std::string_view, 2> all() const { return {leftButton, rightButton}; }
};
inline constexpr MouseLightingControls kMouseOnlyLighting{};

// The device pictures shown per keyboard variant and mouse model, and the
// prefixes of their light controls.
struct PictureControlNames {
    std::string_view membranePicture = "kb_film_light";
    std::string_view mechanicalPicture = "kb_mechanical_light";
    std::string_view mousePicture = "ms_deng_key";
    std::string_view mouse2Picture = "ms2_deng_key";
    std::string_view mouseLedPrefix = "ms_dkey_";
    std::string_view mouse2LedPrefix = "ms2_dkey_";

    constexpr std::array<std::string_view, 6> all() const {
        return {membranePicture, mechanicalPicture, mousePicture,
                mouse2Picture,   mouseLedPrefix,    mouse2LedPrefix};
    }
};
inline constexpr PictureControlNames kPictureControls{};

}  // namespace quillon::lighting
