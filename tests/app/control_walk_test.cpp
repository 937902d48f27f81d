// Every control the program's behaviour names, walked: it is in the skin
// files, and a notification of its kind reaches an action of the program as
// it is installed. Controls of features still being built elsewhere are
// listed apart and reported as skipped, so that they are switched on here
// when those features arrive.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/program_services.h"
#include "emu/virtual_bus.h"
#include "profiles/temp_folder.h"
#include "shell/control_name.h"
#include "shell/queue_event_loop.h"
#include "shell/tab_navigation.h"
#include "skin/memory_skin.h"

namespace quillon::app {
namespace {

using skin::NotifyType;

struct Named {
    NotifyType type;
    std::string_view name;
};

// The window's own buttons, the tabs, the lighting and panel controls, the
// preferences. The direction and custom-colour check boxes act on their click.
constexpr Named kWalked[] = {
    {NotifyType::click, "closebtn"},
    {NotifyType::click, "minbtn"},
    {NotifyType::click, "maxbtn"},
    {NotifyType::click, "restorebtn"},
    {NotifyType::click, "skinbtn"},
    {NotifyType::menu, "setbtn"},
    {NotifyType::click, "menubtn"},
    {NotifyType::click, "kb_dkey_17"},
    {NotifyType::click, "kb_dkey_0"},
    {NotifyType::click, "ms_Deng_color_btn_3"},
    {NotifyType::click, "mp_Deng_color_btn_3"},
    {NotifyType::click, "kb_Deng_color_btn_3"},
    {NotifyType::click, "ms_Deng_FXL_btn"},
    {NotifyType::click, "ms_Deng_FXR_btn"},
    {NotifyType::click, "kb_deng_same_mode"},
    {NotifyType::click, "ms_deng_same_mode"},
    {NotifyType::click, "mp_deng_same_mode"},
    {NotifyType::click, "kb_profile_fun_spread_btn"},
    {NotifyType::click, "ms_profile_fun_spread_btn"},
    {NotifyType::click, "mp_profile_fun_spread_btn"},
    {NotifyType::click, "kb_pro_deng_edit_btn"},
    {NotifyType::click, "kb_pro_key_edit_btn"},
    {NotifyType::click, "ms_pro_deng_edit_btn"},
    {NotifyType::click, "ms_pro_key_edit_btn"},
    {NotifyType::click, "mp_pro_deng_edit_btn"},
    {NotifyType::selectChanged, "kb_tab"},
    {NotifyType::selectChanged, "kb_onecolor_tab"},
    {NotifyType::selectChanged, "kb_film_tab"},
    {NotifyType::selectChanged, "ms_tab"},
    {NotifyType::selectChanged, "ms2_tab"},
    {NotifyType::selectChanged, "mp_tab"},
    {NotifyType::selectChanged, "ani_tab"},
    {NotifyType::selectChanged, "split_tab"},
    {NotifyType::selectChanged, "kb_deng_Op_tab"},
    {NotifyType::selectChanged, "kb_key_Op_tab"},
    {NotifyType::selectChanged, "kb_macro_Op_tab"},
    {NotifyType::selectChanged, "kb_cursor_Op_tab"},
    {NotifyType::selectChanged, "ms_deng_Op_tab"},
    {NotifyType::selectChanged, "ms_key_Op_tab"},
    {NotifyType::selectChanged, "ms_macro_Op_tab"},
    {NotifyType::selectChanged, "ms_cursor_Op_tab"},
    {NotifyType::selectChanged, "ms_rich_Op_tab"},
    {NotifyType::selectChanged, "kb_Deng_7color_check"},
    {NotifyType::selectChanged, "ms_Deng_7color_check"},
    {NotifyType::selectChanged, "mp_Deng_7color_check"},
    {NotifyType::click, "kb_Deng_FXL_check"},
    {NotifyType::click, "kb_Deng_FXR_check"},
    {NotifyType::click, "ms_Deng_FXL_check"},
    {NotifyType::click, "ms_Deng_FXR_check"},
    {NotifyType::click, "mp_Deng_FXL_check"},
    {NotifyType::click, "mp_Deng_FXR_check"},
    {NotifyType::click, "kb_Deng_all_kill_check"},
    {NotifyType::click, "kb_Deng_all_bright_check"},
    {NotifyType::click, "kb_Deng_on_bright_check"},
    {NotifyType::click, "kb_Deng_off_kill_check"},
    // Keys, macros, mouse performance and patterns, profile operations and links.
    {NotifyType::click, "kb_key_17"},
    {NotifyType::click, "kb_keyf_3"},
    {NotifyType::click, "kb_fkey_3"},
    {NotifyType::click, "ms_key_3"},
    {NotifyType::click, "ms_DPI_color_btn_3"},
    {NotifyType::click, "ms_profile_2"},
    {NotifyType::click, "ms_bullet_op_4"},
    {NotifyType::selectChanged, "ms_bullet_op_4"},
    {NotifyType::click, "ms_bulletdate_save_btn"},
    {NotifyType::click, "ms_bulletdate_reset_btn"},
    {NotifyType::click, "ms_bulletdate_import_btn"},
    {NotifyType::click, "ms_bulletdate_export_btn"},
    {NotifyType::click, "bullet_selected_prev"},
    {NotifyType::click, "bullet_selected_next"},
    {NotifyType::click, "ms_key_butt_keysave"},
    {NotifyType::click, "ms_key_butt_keydefalut"},
    {NotifyType::click, "kb_key_butt_keydefalut"},
    {NotifyType::click, "ms_key_butt_prosave"},
    {NotifyType::click, "kb_key_butt_prosave"},
    {NotifyType::click, "ms_macro_btn_redio"},
    {NotifyType::click, "kb_macro_btn_redio"},
    {NotifyType::click, "ms_macro_btn_name_add"},
    {NotifyType::click, "kb_macro_btn_save"},
    {NotifyType::click, "ms_macro_inset_leftkey_btn"},
    {NotifyType::click, "kb_macro_inset_movedownkey_btn"},
    {NotifyType::click, "ms_gunlun_speed_up_btn"},
    {NotifyType::click, "ms_gunlun_speed_down_btn"},
    {NotifyType::click, "ms_one_profile_default"},
    {NotifyType::click, "mp_one_profile_default"},
    {NotifyType::click, "kb_pro_deng_add_btn"},
    {NotifyType::click, "ms_pro_key_copy_btn"},
    {NotifyType::click, "mp_pro_deng_reset_btn"},
    {NotifyType::click, "kb_deng_profile_edit_save_btn"},
    {NotifyType::click, "ms_key_profile_link_btn"},
    {NotifyType::itemSelect, "mp_deng_combo_profile"},
    {NotifyType::selectChanged, "kb_deng_profile_link_check"},
    {NotifyType::selectChanged, "ms_gun_op_0"},
    {NotifyType::selectChanged, "ms_cursor_x_check"},
    {NotifyType::selectChanged, "ms_macro_check_time"},
    {NotifyType::selectChanged, "kb_macro_btn_shubiao"},
};

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

// Every control name of the skin files (the main window and its sub-views).
std::set<std::string> skinNames() {
    std::set<std::string> names;
    constexpr std::string_view kWidget = "<widget class=\"";
    constexpr std::string_view kName = "name=\"";
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(QUILLON_SOURCE_DATA_DIR) / "skin")) {
        if (entry.path().extension() != ".xml")
            continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        const std::string s = text.str();
        // Each widget element's name attribute.
        for (auto at = s.find(kWidget); at != std::string::npos; at = s.find(kWidget, at + 1)) {
            const auto end = s.find('>', at);
            const auto name = s.find(kName, at);
            if (name == std::string::npos || name > end)
                continue;
            const auto first = name + kName.size();
            names.insert(s.substr(first, s.find('"', first) - first));
        }
    }
    return names;
}

struct ControlWalk : ::testing::Test {
    ControlWalk()
        : users(root.path() / "Documents", {root.path() / "program"}, root.path() / "overlay"),
          app(skin, loop, bus),
          services(app, bus, users) {}

    // Whether a notification of this kind and name reaches a route or the tab navigation.
    bool reachesAction(const Named& c) {
        const std::string name = lower(c.name);
        const shell::SplitName split = shell::splitControlName(c.name);
        for (const auto& key : routes) {
            if (key.type != c.type)
                continue;
            if (!key.prefix && lower(key.key) == name)
                return true;
            if (key.prefix && split.split && lower(key.key) == lower(split.prefix))
                return true;
        }
        if (c.type != NotifyType::selectChanged)
            return false;
        for (const auto& tab : shell::kDeviceTabs)
            if (tab.option == c.name)
                return true;
        for (const auto& page : shell::kDevicePages)
            if (page.option == c.name)
                return true;
        for (const auto& key : app.tabs().afterRoutes().routeKeys())
            if (!key.prefix && lower(key.key) == name)
                return true;
        return false;
    }

    profiles::testing::TempFolder root;
    platform::FixedUserFolders users;
    emu::VirtualBus bus;
    shell::QueueEventLoop loop;
    skin::MemorySkin skin;
    shell::Application app;
    ProgramServices services;
    std::vector<shell::NotificationRouter::RouteKey> routes = app.notifications().routeKeys();
    std::set<std::string> inSkin = skinNames();
};

TEST_F(ControlWalk, EveryNamedControlIsInTheSkinAndReachesAnAction) {
    ASSERT_GT(inSkin.size(), 100u) << "the skin files were not found";
    for (const Named& c : kWalked) {
        EXPECT_TRUE(inSkin.contains(std::string(c.name))) << c.name << " is not in the skin";
        EXPECT_TRUE(reachesAction(c))
            << c.name << " (" << skin::notifyTypeName(c.type) << ") reaches no action";
    }
}

}  // namespace
}  // namespace quillon::app
