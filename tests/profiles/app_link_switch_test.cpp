#include "profiles/app_link_switch.h"

#include <gtest/gtest.h>

namespace quillon::profiles {
namespace {

TEST(AppLinkSwitch, ShowsTheLinkedRowAndGivesTheUsersRowBack) {
    AppLinkSwitch links;
    EXPECT_EQ(links.foregroundChanged(0, 0, -1), -1);  // no link: nothing
    EXPECT_EQ(links.foregroundChanged(0, 0, 0), -1);   // already shown: no reload
    EXPECT_EQ(links.foregroundChanged(1, 1, 3), 3);
    EXPECT_EQ(links.foregroundChanged(3, 3, 3), -1);
    EXPECT_EQ(links.foregroundChanged(3, 3, 2), 2);   // another linked program
    EXPECT_EQ(links.foregroundChanged(2, 2, -1), 1);  // the user's own, from before
    EXPECT_EQ(links.switchedTo(), -1);
}

TEST(AppLinkSwitch, AChoiceTheUserMadeMeanwhileStands) {
    AppLinkSwitch links;
    ASSERT_EQ(links.foregroundChanged(0, 0, 2), 2);
    EXPECT_EQ(links.foregroundChanged(1, 1, -1), -1);
    EXPECT_EQ(links.switchedTo(), -1);
}

}  // namespace
}  // namespace quillon::profiles
