#include "shell/tab_navigation.h"

#include <gtest/gtest.h>

#include "skin/memory_skin.h"

namespace quillon::shell {
namespace {

using skin::MemorySkin;
using skin::Notification;
using skin::NotifyType;

// The main window's tabs as the skin declares them: device tabs in one group,
// each device's page options in another.
class Navigation : public ::testing::Test {
  protected:
    void SetUp() override {
        skin.declareOptionGroup("devices", {"kb_tab", "kb_onecolor_tab", "kb_film_tab", "ms_tab",
                                            "ms2_tab", "mp_tab", "ani_tab", "split_tab"});
        skin.declareOptionGroup(
            "kb_pages", {"kb_deng_Op_tab", "kb_key_Op_tab", "kb_macro_Op_tab", "kb_cursor_Op_tab"});
        skin.declareOptionGroup("ms_pages", {"ms_deng_Op_tab", "ms_key_Op_tab", "ms_macro_Op_tab",
                                             "ms_cursor_Op_tab", "ms_rich_Op_tab"});
        skin.at("ms2_tab").setVisible(false);
        skin.at("kb_onecolor_tab").setVisible(false);
        skin.at("kb_film_tab").setVisible(false);
        skin.at("kb_macro_tab_saveorcancel").setVisible(false);
        skin.at("ms_macro_tab_saveorcancel").setVisible(false);
        nav.addGuard(kMouseMacroGuard);
        nav.addGuard(kKeyboardMacroGuard);
        nav.setBeforePageChange([this] { ++hookRemovals; });
        nav.install(router);
        skin.setNotificationSink([this](const Notification& n) { router.route(n); });
    }

    void userSelects(std::string_view option) { skin.userCheck(option, true); }

    MemorySkin skin;
    NotificationRouter router;
    TabNavigation nav{skin};
    int hookRemovals = 0;
};

TEST_F(Navigation, DeviceTabsSelectThePagesOfTheMainTabLayout) {
    userSelects("ms_tab");
    EXPECT_EQ(skin.at("tab_switch").currentPage(), 1);
    userSelects("split_tab");
    EXPECT_EQ(skin.at("tab_switch").currentPage(), 4);
    userSelects("kb_film_tab");
    EXPECT_EQ(skin.at("tab_switch").currentPage(), 0);
    EXPECT_EQ(hookRemovals, 3);
}

TEST_F(Navigation, DevicePagesSwitchTheirLayoutAndTheProfileStrip) {
    userSelects("kb_key_Op_tab");
    EXPECT_EQ(skin.at("kb_tab_switch").currentPage(), 1);
    EXPECT_TRUE(skin.at("kb_profile_select_tab").isVisible());
    EXPECT_EQ(skin.at("kb_profile_select_tab").currentPage(), 1);
    EXPECT_FALSE(skin.at("kb_deng_profile_edit").isVisible());
    userSelects("kb_macro_Op_tab");
    EXPECT_EQ(skin.at("kb_tab_switch").currentPage(), 2);
    EXPECT_FALSE(skin.at("kb_profile_select_tab").isVisible());
    EXPECT_FALSE(skin.at("kb_profile_fun_spread_btn").isVisible());
    userSelects("ms_rich_Op_tab");
    EXPECT_EQ(skin.at("ms_tab_switch").currentPage(), 4);
    EXPECT_EQ(skin.at("ms_profile_select_tab").currentPage(), 0);
    EXPECT_EQ(skin.at("kb_tab_switch").currentPage(), 2);  // the other device is untouched
}

TEST_F(Navigation, ChoosingTheMouseWhileAKeyboardMacroHoldsEditsBouncesBack) {
    userSelects("kb_tab");
    userSelects("kb_macro_Op_tab");
    skin.at("kb_macro_tab_saveorcancel").setVisible(true);  // an unsaved edit
    skin.clearNotifications();

    userSelects("ms_tab");

    EXPECT_TRUE(skin.at("kb_macro_Op_tab").isChecked());
    EXPECT_TRUE(skin.at("kb_tab").isChecked());
    EXPECT_FALSE(skin.at("ms_tab").isChecked());
    EXPECT_EQ(skin.at("tab_switch").currentPage(), 0);
    EXPECT_EQ(skin.at("kb_tab_switch").currentPage(), 2);
    ASSERT_EQ(skin.messages().size(), 1u);
    EXPECT_EQ(skin.messages()[0].key, "message_text_3");
    // The bounce raised the home option and the visible keyboard tab, not the hidden ones.
    std::vector<std::string> raised;
    for (const auto& n : skin.notifications()) {
        raised.push_back(n.name);
    }
    EXPECT_EQ(raised, (std::vector<std::string>{"ms_tab", "kb_macro_Op_tab", "kb_tab"}));
}

TEST_F(Navigation, OptionsOfTheEditorItselfPassTheGuard) {
    skin.at("ms_macro_tab_saveorcancel").setVisible(true);
    userSelects("ms_macro_Op_tab");
    userSelects("ms2_tab");
    EXPECT_TRUE(skin.messages().empty());
    userSelects("ms_deng_Op_tab");
    ASSERT_EQ(skin.messages().size(), 1u);
    EXPECT_TRUE(skin.at("ms_macro_Op_tab").isChecked());
    EXPECT_EQ(skin.at("ms_tab_switch").currentPage(), 2);
}

TEST_F(Navigation, BothEditorsHoldingEditsGiveOneMessageAndNoEndlessBounce) {
    skin.at("ms_macro_tab_saveorcancel").setVisible(true);
    skin.at("kb_macro_tab_saveorcancel").setVisible(true);
    userSelects("mp_tab");
    EXPECT_EQ(skin.messages().size(), 1u);
    EXPECT_LT(skin.notifications().size(), 10u);
}

TEST_F(Navigation, RouteAfterNavigationSeesChecksAndUnchecksAndUncheckingMovesNoPage) {
    std::vector<std::int64_t> seen;
    nav.afterRoutes().addName(NotifyType::selectChanged, "kb_deng_profile_link_check",
                              [&](const Notification& n, int) { seen.push_back(n.value); });
    userSelects("kb_deng_profile_link_check");
    skin.at("kb_macro_tab_saveorcancel").setVisible(true);
    skin.userCheck("kb_deng_profile_link_check", false);  // losing a check is not a selection
    EXPECT_EQ(seen, (std::vector<std::int64_t>{1, 0}));
    EXPECT_TRUE(skin.messages().empty());
    EXPECT_EQ(hookRemovals, 1);
}

}  // namespace
}  // namespace quillon::shell
