#pragma once

// Every control the mouse performance view names.

#include <array>
#include <string_view>

namespace quillon::mouse {

struct StageControls {
    std::string_view slider;
    std::string_view valueLabel;  // the stage's DPI
    std::string_view rankLabel;   // the stage's number
    std::string_view minLabel;
    std::string_view maxLabel;
    std::string_view labelCell;  // hidden with the stage
    std::string_view valueCell;  // hidden with the stage
};

// clang-format off
inline constexpr std::array<StageControls, 6> kStageControls{{
    {"ms_DPI1_slider", "ms_DPI1_label_value", "ms_DPI1_label_rank", "ms_DPI1_min", "ms_DPI1_max", "ms_DPI1_la", "ms_DPI1_va"},
    {"ms_DPI2_slider", "ms_DPI2_label_value", "ms_DPI2_label_rank", "ms_DPI2_min", "ms_DPI2_max", "ms_DPI2_la", "ms_DPI2_va"},
    {"ms_DPI3_slider", "ms_DPI3_label_value", "ms_DPI3_label_rank", "ms_DPI3_min", "ms_DPI3_max", "ms_DPI3_la", "ms_DPI3_va"},
    {"ms_DPI4_slider", "ms_DPI4_label_value", "ms_DPI4_label_rank", "ms_DPI4_min", "ms_DPI4_max", "ms_DPI4_la", "ms_DPI4_va"},
    {"ms_DPI5_slider", "ms_DPI5_label_value", "ms_DPI5_label_rank", "ms_DPI5_min", "ms_DPI5_max", "ms_DPI5_la", "ms_DPI5_va"},
    {"ms_DPI6_slider", "ms_DPI6_label_value", "ms_DPI6_label_rank", "ms_DPI6_min", "ms_DPI6_max", "ms_DPI6_la", "ms_DPI6_va"},
}};
// clang-format on

struct DpiViewControls {
    std::string_view palette = "Pallet";
    std::string_view editRed = "ms_DPI_edit_R";
    std::string_view editGreen = "ms_DPI_edit_G";
    std::string_view editBlue = "ms_DPI_edit_B";
    std::string_view colourButton = "ms_DPI_colordp_btn";
    std::string_view presetPrefix = "ms_DPI_color_btn_";
    std::string_view reportRateCombo = "ms_report_fct_combo";
    std::string_view liftOffSlider = "ms_sensor_height_slider";
    std::string_view pointerSpeedSlider = "ms_point_speed_slider";
    std::string_view wheelUp = "ms_gunlun_speed_up_btn";
    std::string_view wheelDown = "ms_gunlun_speed_down_btn";
    std::string_view wheelEdit = "ms_gunlun_speed_edit";
    std::string_view mouseReset = "ms_one_profile_default";
    std::string_view mousepadReset = "mp_one_profile_default";

    constexpr std::array<std::string_view, 14> all() const {
        return {palette,      editRed,         editGreen,     editBlue,           colourButton,
                presetPrefix, reportRateCombo, liftOffSlider, pointerSpeedSlider, wheelUp,
                wheelDown,    wheelEdit,       mouseReset,    mousepadReset};
    }
};
inline constexpr DpiViewControls kDpiView{};

// The slot switches: `ms_profile_` + slot (click) and the mousepad's combo.
struct SlotSwitchControls {
    std::string_view mousePrefix = "ms_profile_";
    std::string_view mousepadCombo = "mp_deng_combo_profile";
    std::string_view keyFunctionPanel = "ms_tab_function";

    constexpr std::array<std::string_view, 3> all() const {
        return {mousePrefix, mousepadCombo, keyFunctionPanel};
    }
};
inline constexpr SlotSwitchControls kSlotSwitches{};

// The stage controls in one list, for the skin checks.
constexpr std::array<std::string_view, 42> allStageControls() {
    std::array<std::string_view, 42> out{};
    std::size_t i = 0;
    for (const StageControls& s : kStageControls)
        for (std::string_view n : {s.slider, s.valueLabel, s.rankLabel, s.minLabel, s.maxLabel,
                                   s.labelCell, s.valueCell})
            out[i++] = n;
    return out;
}

}  // namespace quillon::mouse
