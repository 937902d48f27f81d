#pragma once

// The main window's own controls: its buttons, the progress indicator and
// the buttons that show or hide a panel of the profile strips.

#include <array>
#include <string_view>

namespace quillon::shell {

struct WindowControls {
    std::string_view close = "closebtn";
    std::string_view minimise = "minbtn";
    std::string_view maximise = "maxbtn";
    std::string_view restore = "restorebtn";
    std::string_view progress = "setting_progress";

    constexpr std::array<std::string_view, 5> all() const {
        return {close, minimise, maximise, restore, progress};
    }
};
inline constexpr WindowControls kWindowControls{};

struct PanelToggle {
    std::string_view button;
    std::string_view panel;
};
inline constexpr std::array<PanelToggle, 8> kPanelToggles{{
    {"kb_profile_fun_spread_btn", "kb_profile_fun_spead_tab"},
    {"ms_profile_fun_spread_btn", "ms_profile_fun_spead_tab"},
    {"mp_profile_fun_spread_btn", "mp_profile_fun_spead_tab"},
    {"kb_pro_deng_edit_btn", "kb_deng_profile_edit"},
    {"kb_pro_key_edit_btn", "kb_key_profile_edit"},
    {"ms_pro_deng_edit_btn", "ms_deng_profile_edit"},
    {"ms_pro_key_edit_btn", "ms_key_profile_edit"},
    {"mp_pro_deng_edit_btn", "mp_deng_profile_edit"},
}};

}  // namespace quillon::shell
