#include "profiles/profiles_cli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "profiles/profile_fixture.h"

namespace quillon::profiles {
namespace {

using testing::FreshAccount;

TEST(ProfilesCli, ListRunsTheFirstRunAndShowsEveryListWithItsSelection) {
    FreshAccount account;
    std::ostringstream out, err;
    EXPECT_EQ(profilesList(account.users, {}, out, err), 0);
    EXPECT_EQ(err.str(), "");
    const std::string text = out.str();
    EXPECT_NE(text.find("first run"), std::string::npos);
    for (auto list : {"kb-lighting", "kb-keys", "ms-lighting", "ms-keys", "mp-lighting"})
        EXPECT_NE(text.find(std::string(list) + " ("), std::string::npos) << list;
    EXPECT_NE(text.find("  * 0 New Profile 1\n"), std::string::npos);

    ProfileIndex kb = account.store.index(ProfileListId::keyboardLighting);
    ASSERT_EQ(kb.writeCount(2), IniWriteResult::ok);
    ASSERT_EQ(kb.writeName(1, "Second"), IniWriteResult::ok);
    ASSERT_EQ(kb.writeSelect(1), IniWriteResult::ok);
    std::ostringstream out2, err2;
    EXPECT_EQ(profilesList(account.users, {}, out2, err2), 0);
    EXPECT_EQ(out2.str().find("first run"), std::string::npos);
    EXPECT_NE(out2.str().find("kb-lighting (keyboard lighting, "), std::string::npos);
    EXPECT_NE(out2.str().find("    0 New Profile 1\n  * 1 Second\n"), std::string::npos);
}

TEST(ProfilesCli, ListPrintsTheWindowsMessagesAsTextKeys) {
    FreshAccount account;
    std::filesystem::remove(account.program("mpdengdefault.led"));
    std::ostringstream out, err;
    EXPECT_EQ(profilesList(account.users, {}, out, err), 1);
    EXPECT_EQ(err.str(), "message_text_8\n");
    EXPECT_NE(out.str().find("mp-lighting (mousepad lighting, "), std::string::npos);
}

TEST(ProfilesCli, ShowPrintsHeaderAndFields) {
    FreshAccount account;
    std::ostringstream ignored;
    ASSERT_EQ(profilesList(account.users, {}, ignored, ignored), 0);

    std::ostringstream out, err;
    const std::vector<std::string> mouse{"ms-lighting", "New Profile 1"};
    EXPECT_EQ(profilesShow(account.users, mouse, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("header: magic 0x55AA, device kind 2"), std::string::npos);
    EXPECT_NE(out.str().find("report-rate index: 3"), std::string::npos);
    EXPECT_NE(out.str().find("wheel lines: 3"), std::string::npos);

    std::ostringstream keys;
    const std::vector<std::string> kbKeys{"kb-keys", "New Profile 1"};
    EXPECT_EQ(profilesShow(account.users, kbKeys, keys, err), 0);
    EXPECT_NE(keys.str().find("slot   0:  20 00 29"), std::string::npos) << keys.str();

    std::ostringstream led;
    const std::vector<std::string> kbLed{"kb-lighting", "New Profile 1"};
    EXPECT_EQ(profilesShow(account.users, kbLed, led, err), 0);
    EXPECT_NE(led.str().find("lighting: mode 3, brightness 14"), std::string::npos);
    EXPECT_NE(led.str().find("colour set 4"), std::string::npos);
}

TEST(ProfilesCli, ShowRefusesBadArgumentsAndNames) {
    FreshAccount account;
    std::ostringstream out, err;
    const std::vector<std::string> noList{"xx", "a"};
    EXPECT_EQ(profilesShow(account.users, noList, out, err), 2);
    const std::vector<std::string> escape{"kb-keys", "../../etc/passwd"};
    EXPECT_EQ(profilesShow(account.users, escape, out, err), 1);
    EXPECT_NE(err.str().find("message_text_14"), std::string::npos);
    const std::vector<std::string> missing{"kb-keys", "Nothing"};
    EXPECT_EQ(profilesShow(account.users, missing, out, err), 1);
    EXPECT_NE(err.str().find("missing"), std::string::npos);
}

}  // namespace
}  // namespace quillon::profiles
