#include "shell/notification_router.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillon::shell {
namespace {

using skin::Notification;
using skin::NotifyType;

// The click table's prefix routes, in their order, recording what ran.
class ClickRoutes : public ::testing::Test {
  protected:
    void SetUp() override {
        auto record = [this](std::string tag) {
            return [this, tag](const Notification&, int index) {
                ran.push_back(tag + ":" + std::to_string(index));
            };
        };
        router.addFirst(NotifyType::click, "closebtn", record("hide"));
        router.addFirst(NotifyType::click, "skinbtn", record("skinwindow"), Flow::continues);
        router.addPrefix(NotifyType::click, "kb_key_", record("kbkey"));
        router.addPrefix(NotifyType::click, "kb_keyf_", record("kbkey"));
        router.addPrefix(NotifyType::click, "ms_DPI_color_btn_", record("dpicolour"),
                         Flow::continues);
        router.addPrefix(NotifyType::click, "ms_profile_", record("slot"), Flow::continues);
        router.addName(NotifyType::click, "kb_key_butt_keydefalut", record("default"));
        router.addName(NotifyType::click, "ms_profile_fun_spread_btn", record("spread"));
        router.addNames(NotifyType::click, {"skinbtn", "kb_deng_same_mode"}, record("name"));
    }

    std::size_t click(std::string name) {
        return router.route({NotifyType::click, std::move(name)});
    }

    NotificationRouter router;
    std::vector<std::string> ran;
};

TEST_F(ClickRoutes, PrefixRouteGetsTheIndexAndEndsTheRouting) {
    EXPECT_EQ(click("kb_key_17"), 1u);
    EXPECT_EQ(click("kb_key_"), 1u);
    EXPECT_EQ(click("kb_keyf_5"), 1u);
    EXPECT_EQ(ran, (std::vector<std::string>{"kbkey:17", "kbkey:0", "kbkey:5"}));
}

TEST_F(ClickRoutes, ContinuingPrefixRouteGoesOnThroughTheFullNamesWithoutMatching) {
    EXPECT_EQ(click("ms_DPI_color_btn_3"), 1u);
    EXPECT_EQ(ran, (std::vector<std::string>{"dpicolour:3"}));
}

TEST_F(ClickRoutes, FullNamesAreNotTakenByAShorterPrefix) {
    click("kb_key_butt_keydefalut");
    click("ms_profile_fun_spread_btn");  // splits into "ms_profile_fun_spread_"
    EXPECT_EQ(ran, (std::vector<std::string>{"default:0", "spread:0"}));
}

TEST_F(ClickRoutes, WindowButtonsComeFirstAndMayContinue) {
    click("closebtn");
    click("skinbtn");
    EXPECT_EQ(ran, (std::vector<std::string>{"hide:0", "skinwindow:0", "name:0"}));
}

TEST_F(ClickRoutes, NamesCompareWithoutCaseAndUnknownNamesDoNothing) {
    click("KB_KEY_3");
    EXPECT_EQ(click("nothing_here"), 0u);
    EXPECT_EQ(click("plain"), 0u);
    EXPECT_EQ(router.route({NotifyType::itemSelect, "kb_key_3"}), 0u);  // other type, no route
    EXPECT_EQ(ran, (std::vector<std::string>{"kbkey:3"}));
}

TEST(NotificationRouterReentry, AHandlerMayRaiseANotificationThatIsRoutedAtOnce) {
    NotificationRouter router;
    std::vector<std::string> ran;
    router.addName(NotifyType::click, "outer", [&](const Notification&, int) {
        ran.push_back("outer-start");
        router.route({NotifyType::itemSelect, "inner", 2});
        ran.push_back("outer-end");
    });
    router.addFallback(NotifyType::itemSelect, [&](const Notification& n, int) {
        ran.push_back("inner-row-" + std::to_string(n.row));
    });
    router.route({NotifyType::click, "outer"});
    EXPECT_EQ(ran, (std::vector<std::string>{"outer-start", "inner-row-2", "outer-end"}));
}

}  // namespace
}  // namespace quillon::shell
