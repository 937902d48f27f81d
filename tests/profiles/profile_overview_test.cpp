#include "profiles/profile_overview.h"

#include <gtest/gtest.h>

#include <fstream>

#include "profiles/profile_fixture.h"

namespace quillon::profiles {
namespace {

using testing::FreshAccount;

const ProfileListView& list(const ProfilesOverview& o, ProfileListId id) {
    return o.lists[static_cast<std::size_t>(id)];
}

TEST(ProfileOverview, AFirstRunMakesEveryListAndALaterStartReadsTheEdits) {
    FreshAccount account;
    const ProfilesOverview first = startProfiles(account.users);
    EXPECT_TRUE(first.firstRun);
    EXPECT_TRUE(first.messages.empty());
    EXPECT_TRUE(first.notSaved.empty());
    for (const ProfileListView& view : first.lists) {
        ASSERT_EQ(view.rows.size(), 1u);
        EXPECT_EQ(view.rows[0].name, "New Profile 1");
        EXPECT_EQ(view.selected, 0);
    }

    ProfileIndex kb = account.store.index(ProfileListId::keyboardLighting);
    ASSERT_EQ(kb.writeCount(2), IniWriteResult::ok);
    ASSERT_EQ(kb.writeName(1, "Second"), IniWriteResult::ok);
    ASSERT_EQ(kb.writeSelect(1), IniWriteResult::ok);
    ASSERT_EQ(kb.writeLinked(1, true), IniWriteResult::ok);
    ASSERT_EQ(kb.writeLinkPath(1, "/usr/bin/game"), IniWriteResult::ok);
    const ProfilesOverview second = startProfiles(account.users);
    EXPECT_FALSE(second.firstRun);
    const ProfileListView& view = list(second, ProfileListId::keyboardLighting);
    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.selected, 1);
    EXPECT_TRUE(view.rows[1].linked);
    EXPECT_EQ(view.rows[1].linkPath, "/usr/bin/game");
}

TEST(ProfileOverview, AMissingDefaultIsReportedByItsMessageKey) {
    FreshAccount account;
    std::filesystem::remove(account.program("mpdengdefault.led"));
    const ProfilesOverview o = startProfiles(account.users);
    EXPECT_TRUE(o.defaultsFailed);
    EXPECT_EQ(o.messages, std::vector<std::string>{"message_text_8"});
    EXPECT_TRUE(list(o, ProfileListId::mousepadLighting).rows.empty());
}

TEST(ProfileOverview, AFirstRunThatCouldNotBeWrittenIsNotTakenForMade) {
    FreshAccount account;
    std::ofstream(account.kv()) << "not a folder";
    const ProfilesOverview o = startProfiles(account.users);
    EXPECT_EQ(o.notSaved.size(), kProfileListCount);
}

TEST(ProfileOverview, ContentReadsGiveHeaderRecordOrTheReason) {
    FreshAccount account;
    (void)startProfiles(account.users);
    ProfileContent content;
    ASSERT_EQ(
        readProfileContent(account.users, ProfileListId::mouseLighting, "New Profile 1", content),
        ContentReadResult::ok);
    EXPECT_EQ(content.header.magic(), kProfileMagic);
    EXPECT_EQ(content.header.deviceKindCode(), 2);
    EXPECT_EQ(content.record.size(), profileList(ProfileListId::mouseLighting).recordSize);

    EXPECT_EQ(
        readProfileContent(account.users, ProfileListId::keyboardKeys, "../../etc/passwd", content),
        ContentReadResult::badName);
    EXPECT_EQ(readProfileContent(account.users, ProfileListId::keyboardKeys, "Nothing", content),
              ContentReadResult::missing);
    std::ofstream(content.path, std::ios::binary) << "not a profile";
    EXPECT_EQ(readProfileContent(account.users, ProfileListId::keyboardKeys, "Nothing", content),
              ContentReadResult::foreign);
}

}  // namespace
}  // namespace quillon::profiles
