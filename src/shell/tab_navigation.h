#pragma once

// What a selection ("selectchanged") that no selection route took does: the
// guards of the editors with unsaved edits, then the device tabs and the
// pages inside a device view. Runs as the last selection route.

#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "shell/notification_router.h"
#include "skin/skin.h"

namespace quillon::shell {

// An editor that must be saved or cancelled before the user leaves it: while
// `bar` is visible, selecting an option other than `allowed` bounces back to
// `home`, re-raises the selection of the visible `reraise` options and shows
// the message `textKey`.
struct EditorGuardSpec {
    std::string_view bar;
    std::string_view home;
    std::span<const std::string_view> allowed;
    std::span<const std::string_view> reraise;
    std::string_view textKey;
};

inline constexpr std::string_view kMouseMacroAllowed[] = {"ms_macro_Op_tab", "ms_tab", "ms2_tab"};
inline constexpr std::string_view kMouseMacroReraise[] = {"ms_tab", "ms2_tab"};
inline constexpr std::string_view kKeyboardMacroAllowed[] = {"kb_macro_Op_tab", "kb_tab",
                                                             "kb_onecolor_tab", "kb_film_tab"};
inline constexpr std::string_view kKeyboardMacroReraise[] = {"kb_tab", "kb_onecolor_tab",
                                                             "kb_film_tab"};

inline constexpr EditorGuardSpec kMouseMacroGuard{"ms_macro_tab_saveorcancel", "ms_macro_Op_tab",
                                                  kMouseMacroAllowed, kMouseMacroReraise,
                                                  "message_text_3"};
inline constexpr EditorGuardSpec kKeyboardMacroGuard{"kb_macro_tab_saveorcancel", "kb_macro_Op_tab",
                                                     kKeyboardMacroAllowed, kKeyboardMacroReraise,
                                                     "message_text_3"};

// The device tabs: which page of `tab_switch` each shows.
struct DeviceTab {
    std::string_view option;
    int page;
};
inline constexpr std::string_view kDeviceTabLayout = "tab_switch";
inline constexpr DeviceTab kDeviceTabs[] = {
    {"kb_tab", 0},  {"kb_onecolor_tab", 0}, {"kb_film_tab", 0}, {"ms_tab", 1},
    {"ms2_tab", 1}, {"mp_tab", 2},          {"ani_tab", 3},     {"split_tab", 4},
};

// The profile strip of a device view: which profile list it offers.
enum class ProfileStrip { lighting, keys, none };

struct ProfileStripNames {
    std::string_view selectTab;  // tab layout: page 0 lighting profiles, page 1 key profiles
    std::string_view panel;
    std::string_view spreadButton;
    std::string_view lightingEdit;
    std::string_view keyEdit;
};
inline constexpr ProfileStripNames kKeyboardStrip{
    "kb_profile_select_tab", "kb_profile_fun_spead_tab", "kb_profile_fun_spread_btn",
    "kb_deng_profile_edit", "kb_key_profile_edit"};
inline constexpr ProfileStripNames kMouseStrip{"ms_profile_select_tab", "ms_profile_fun_spead_tab",
                                               "ms_profile_fun_spread_btn", "ms_deng_profile_edit",
                                               "ms_key_profile_edit"};

// The pages inside a device view.
struct DevicePage {
    std::string_view option;
    std::string_view layout;
    int page;
    const ProfileStripNames* strip;
    ProfileStrip shows;
};
inline constexpr DevicePage kDevicePages[] = {
    {"kb_deng_Op_tab", "kb_tab_switch", 0, &kKeyboardStrip, ProfileStrip::lighting},
    {"kb_key_Op_tab", "kb_tab_switch", 1, &kKeyboardStrip, ProfileStrip::keys},
    {"kb_macro_Op_tab", "kb_tab_switch", 2, &kKeyboardStrip, ProfileStrip::none},
    {"kb_cursor_Op_tab", "kb_tab_switch", 3, &kKeyboardStrip, ProfileStrip::none},
    {"ms_deng_Op_tab", "ms_tab_switch", 0, &kMouseStrip, ProfileStrip::lighting},
    {"ms_key_Op_tab", "ms_tab_switch", 1, &kMouseStrip, ProfileStrip::keys},
    {"ms_macro_Op_tab", "ms_tab_switch", 2, &kMouseStrip, ProfileStrip::none},
    {"ms_cursor_Op_tab", "ms_tab_switch", 3, &kMouseStrip, ProfileStrip::none},
    // The mouse performance page edits the mouse's settings record, which the
    // lighting profile stores.
    {"ms_rich_Op_tab", "ms_tab_switch", 4, &kMouseStrip, ProfileStrip::lighting},
};

class TabNavigation {
  public:
    explicit TabNavigation(skin::Skin& skin) : skin_(skin) {}

    // Guards are asked in the order added.
    void addGuard(const EditorGuardSpec& spec) { guards_.push_back(&spec); }
    // Called before a page changes (removes the macro recorder's hooks).
    void setBeforePageChange(std::function<void()> fn) { beforePageChange_ = std::move(fn); }
    // Name routes that run after navigation (link checks, custom-colour checks).
    NotificationRouter& afterRoutes() { return after_; }

    // Installs select() as the fallback "selectchanged" route of `router`.
    void install(NotificationRouter& router);

    void select(const skin::Notification& notification);

  private:
    bool bounced(const skin::Notification& notification);
    void showStrip(const ProfileStripNames& names, ProfileStrip shows);
    void setVisible(std::string_view name, bool visible);

    skin::Skin& skin_;
    std::vector<const EditorGuardSpec*> guards_;
    std::function<void()> beforePageChange_;
    NotificationRouter after_;
    bool bouncing_ = false;
};

}  // namespace quillon::shell
