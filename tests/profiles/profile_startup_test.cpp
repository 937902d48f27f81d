#include "profiles/profile_startup.h"

#include <gtest/gtest.h>

#include <set>

#include "profiles/first_profile_reseed.h"
#include "profiles/profile_fixture.h"

namespace quillon::profiles {
namespace {

using testing::FreshAccount;
using testing::readBytes;
using testing::readText;
using testing::writeBytes;
using testing::writeText;

std::set<std::string> filesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

class ProfileStartupTest : public ::testing::Test {
  protected:
    ListStartResult start(DeviceKind kind) {
        return startProfileLists(account.store, account.skin, account.run, kind);
    }
    void startAll() {
        EXPECT_EQ(start(DeviceKind::keyboard), ListStartResult::firstRun);
        EXPECT_EQ(start(DeviceKind::mouse), ListStartResult::firstRun);
        EXPECT_EQ(start(DeviceKind::mousepad), ListStartResult::firstRun);
    }
    std::vector<std::string> rows(std::string_view combo) {
        std::vector<std::string> texts;
        auto& c = account.skin.at(combo);
        for (int i = 0; i < c.rowCount(); ++i)
            texts.push_back(c.row(i)->cells.at(0).text);
        return texts;
    }
    std::vector<std::uint8_t> bodyOf(const std::filesystem::path& p) {
        auto b = readBytes(p);
        return {b.begin() + std::min<std::size_t>(16, b.size()), b.end()};
    }

    FreshAccount account;
};

TEST_F(ProfileStartupTest, AFreshAccountGetsTheFirstProfilesOfEveryKind) {
    startAll();
    const auto kv = account.kv();
    EXPECT_EQ(filesIn(kv), (std::set<std::string>{"kb", "ms", "mp"}));
    EXPECT_EQ(filesIn(kv / "kb"),
              (std::set<std::string>{"kbProfile.ini", "New Profile 1.led", "Profile.led",
                                     "Profile2.led", "New Profile 1.pro"}));
    EXPECT_EQ(filesIn(kv / "ms"), (std::set<std::string>{"msProfile.ini", "New Profile 1.led",
                                                         "Profile.led", "New Profile 1.pro"}));
    EXPECT_EQ(filesIn(kv / "mp"), (std::set<std::string>{"mpProfile.ini", "New Profile 1.led"}));

    const std::string twoLists =
        "[PROFILEDENGCOUNT]\ncount=1\n[PROFILELIKEDENGEXE]\n0=0\n[PROFILEDENGNAME]\n0=New Profile "
        "1\n"
        "[PROFILEDENGSELECT]\nselect=0\n[PROFILECOUNT]\ncount=1\n[PROFILELIKEEXE]\n0=0\n"
        "[PROFILENAME]\n0=New Profile 1\n[PROFILESELECT]\nselect=0\n";
    EXPECT_EQ(readText(kv / "kb" / "kbProfile.ini"), twoLists);
    EXPECT_EQ(readText(kv / "ms" / "msProfile.ini"), twoLists);
    EXPECT_EQ(readText(kv / "mp" / "mpProfile.ini"),
              "[PROFILEDENGCOUNT]\ncount=1\n[PROFILELIKEDENGEXE]\n0=0\n[PROFILEDENGNAME]\n0=New "
              "Profile 1\n"
              "[PROFILEDENGSELECT]\nselect=0\n");

    // The content files are the factory files (all defaults carry their kind's code).
    EXPECT_EQ(readBytes(kv / "kb" / "New Profile 1.led"),
              readBytes(account.program("kbdengdefault.led")));
    EXPECT_EQ(readBytes(kv / "kb" / "Profile.led"),
              readBytes(account.program("kbonecolordengdefault.led")));
    EXPECT_EQ(readBytes(kv / "kb" / "Profile2.led"),
              readBytes(account.program("kbdengregiondefault.led")));
    EXPECT_EQ(readBytes(kv / "kb" / "New Profile 1.pro"),
              readBytes(account.program("kbkeydefault.pro")));
    EXPECT_EQ(readBytes(kv / "ms" / "New Profile 1.led"),
              readBytes(account.program("msdengdefault.led")));
    EXPECT_EQ(readBytes(kv / "ms" / "Profile.led"),
              readBytes(account.program("msdengdefault3.led")));
    EXPECT_EQ(readBytes(kv / "ms" / "New Profile 1.pro"),
              readBytes(account.program("mskeydefault.pro")));
    EXPECT_EQ(readBytes(kv / "mp" / "New Profile 1.led"),
              readBytes(account.program("mpdengdefault.led")));

    for (auto combo : {"kb_deng_profile_combo", "kb_key_profile_combo", "ms_deng_profile_combo",
                       "ms_key_profile_combo", "mp_deng_profile_combo"}) {
        auto& c = account.skin.at(combo);
        ASSERT_EQ(c.rowCount(), 1) << combo;
        EXPECT_EQ(c.row(0)->cells.at(0).text, "New Profile 1");
        EXPECT_EQ(c.row(0)->userData, "New Profile 1");
        EXPECT_EQ(c.row(0)->height, 25);
        EXPECT_EQ(c.currentRow(), -1) << "rows are selected only at attach";
    }
    EXPECT_TRUE(account.run.keyboardFirstRun);
    EXPECT_TRUE(account.run.mouseFirstRun);
    EXPECT_TRUE(account.skin.messages().empty());
}

TEST_F(ProfileStartupTest, ALaterStartFillsTheCombosFromTheIndex) {
    startAll();
    ProfileIndex kb = account.store.index(ProfileListId::keyboardLighting);
    const std::string longName(300, 'L');
    ASSERT_EQ(kb.writeCount(4), IniWriteResult::ok);
    ASSERT_EQ(kb.writeName(1, "Zwei"), IniWriteResult::ok);
    ASSERT_EQ(kb.writeName(3, longName), IniWriteResult::ok);  // no name 2
    EXPECT_NE(readText(kb.indexPath()).find(longName), std::string::npos);

    skin::MemorySkin nextSkin;
    ProfileRunState nextRun;
    EXPECT_EQ(startProfileLists(account.store, nextSkin, nextRun, DeviceKind::keyboard),
              ListStartResult::filled);
    auto& c = nextSkin.at("kb_deng_profile_combo");
    ASSERT_EQ(c.rowCount(), 4);
    EXPECT_EQ(c.row(1)->cells.at(0).text, "Zwei");
    EXPECT_EQ(c.row(2)->cells.at(0).text, "0");
    EXPECT_EQ(c.row(3)->userData, longName.substr(0, 259));
    EXPECT_EQ(nextSkin.at("kb_key_profile_combo").rowCount(), 1);
    EXPECT_FALSE(nextRun.keyboardFirstRun);
}

TEST_F(ProfileStartupTest, ACountOfLettersIsAFirstRunAgain) {
    startAll();
    const auto first = account.kv() / "kb" / "New Profile 1.led";
    writeBytes(first, std::vector<std::uint8_t>(1974, 0x42));
    ProfileIndex kb = account.store.index(ProfileListId::keyboardLighting);
    ASSERT_EQ(kb.writeName(1, "Mine"), IniWriteResult::ok);
    ASSERT_EQ(account.ini.writeString(kb.indexPath(), "PROFILEDENGCOUNT", "count", "many"),
              IniWriteResult::ok);

    skin::MemorySkin nextSkin;
    ProfileRunState nextRun;
    EXPECT_EQ(startProfileLists(account.store, nextSkin, nextRun, DeviceKind::keyboard),
              ListStartResult::firstRun);
    EXPECT_EQ(readBytes(first), readBytes(account.program("kbdengdefault.led")));
    EXPECT_EQ(kb.count(), 1);
    EXPECT_EQ(nextSkin.at("kb_deng_profile_combo").rowCount(), 1);
    EXPECT_TRUE(nextRun.keyboardFirstRun);
}

TEST_F(ProfileStartupTest, AMissingKeyboardDefaultStopsTheKeyboardOnly) {
    std::filesystem::remove(account.program("kbdengdefault.led"));
    EXPECT_EQ(start(DeviceKind::keyboard), ListStartResult::missingDefault);
    ASSERT_EQ(account.skin.messages().size(), 1u);
    EXPECT_EQ(account.skin.messages()[0].key, "message_text_8");
    EXPECT_EQ(account.skin.at("kb_deng_profile_combo").rowCount(), 0);
    EXPECT_EQ(account.skin.at("kb_key_profile_combo").rowCount(), 0);
    EXPECT_TRUE(filesIn(account.kv() / "kb").empty());
    EXPECT_FALSE(account.run.keyboardFirstRun);
    EXPECT_EQ(start(DeviceKind::mouse), ListStartResult::firstRun);
    EXPECT_EQ(account.skin.messages().size(), 1u);
}

TEST_F(ProfileStartupTest, AForeignOneColourDefaultShowsTheBadFileMessage) {
    auto bytes = readBytes(account.program("kbonecolordengdefault.led"));
    std::swap(bytes[0], bytes[1]);
    writeBytes(account.program("kbonecolordengdefault.led"), bytes);
    EXPECT_EQ(start(DeviceKind::keyboard), ListStartResult::foreignDefault);
    ASSERT_EQ(account.skin.messages().size(), 1u);
    EXPECT_EQ(account.skin.messages()[0].key, "message_text_9");
    EXPECT_TRUE(filesIn(account.kv() / "kb").empty());
}

TEST_F(ProfileStartupTest, DefaultsThatAreNotExaminedLeaveZeroedSeeds) {
    std::filesystem::remove(account.program("kbdengregiondefault.led"));
    std::filesystem::remove(account.program("msdengdefault3.led"));
    startAll();
    EXPECT_EQ(bodyOf(account.kv() / "kb" / "Profile2.led"), std::vector<std::uint8_t>(1958, 0));
    EXPECT_EQ(bodyOf(account.kv() / "ms" / "Profile.led"), std::vector<std::uint8_t>(64, 0));
    EXPECT_TRUE(account.skin.messages().empty());
}

TEST_F(ProfileStartupTest, AMissingKeyDefaultLeavesTheLightingListMade) {
    std::filesystem::remove(account.program("mskeydefault.pro"));
    EXPECT_EQ(start(DeviceKind::mouse), ListStartResult::missingDefault);
    EXPECT_EQ(account.skin.at("ms_deng_profile_combo").rowCount(), 1);
    EXPECT_EQ(account.skin.at("ms_key_profile_combo").rowCount(), 0);
    EXPECT_EQ(account.store.index(ProfileListId::mouseKeys).count(), 0);
    EXPECT_TRUE(account.run.mouseFirstRun);
}

TEST_F(ProfileStartupTest, TheMousepadDefaultIsFoundWhateverTheCaseOfItsName) {
    std::filesystem::rename(account.program("mpdengdefault.led"),
                            account.program("MPDENGDEFAULT.LED"));
    EXPECT_EQ(start(DeviceKind::mousepad), ListStartResult::firstRun);
}

TEST_F(ProfileStartupTest, AFileTheUserWroteToTheOverlayShadowsTheInstalledOne) {
    std::filesystem::create_directories(account.root.path() / "overlay");
    auto bytes = readBytes(account.program("kbkeydefault.pro"));
    bytes[16] = 0x99;
    writeBytes(account.root.path() / "overlay" / "kbkeydefault.pro", bytes);
    EXPECT_EQ(start(DeviceKind::keyboard), ListStartResult::firstRun);
    EXPECT_EQ(readBytes(account.kv() / "kb" / "New Profile 1.pro"), bytes);
}

// --- reseeding the first profile after attach

TEST_F(ProfileStartupTest, AMembraneKeyboardReseedsTheFirstProfileOncePerRun) {
    startAll();
    const auto first = account.kv() / "kb" / "New Profile 1.led";
    EXPECT_EQ(reseedFirstProfile(account.store, account.skin, account.run, DeviceKind::keyboard, 0),
              ReseedResult::notNeeded);
    EXPECT_EQ(reseedFirstProfile(account.store, account.skin, account.run, DeviceKind::keyboard, 2),
              ReseedResult::reseeded);
    EXPECT_EQ(readBytes(first), readBytes(account.program("kbdengregiondefault.led")));
    EXPECT_EQ(rows("kb_deng_profile_combo"), std::vector<std::string>{"New Profile 1"});

    // The user edits the profile; a replug in the same run keeps the edit.
    writeBytes(first, std::vector<std::uint8_t>(1974, 0xAA));
    EXPECT_EQ(reseedFirstProfile(account.store, account.skin, account.run, DeviceKind::keyboard, 2),
              ReseedResult::notNeeded);
    EXPECT_EQ(readBytes(first)[20], 0xAA);
}

TEST_F(ProfileStartupTest, NoReseedOnceTheUserHasMoreProfiles) {
    startAll();
    ProfileIndex ms = account.store.index(ProfileListId::mouseLighting);
    ASSERT_EQ(ms.writeCount(2), IniWriteResult::ok);
    ASSERT_EQ(ms.writeName(1, "Second"), IniWriteResult::ok);
    const auto before = readBytes(account.kv() / "ms" / "New Profile 1.led");
    EXPECT_EQ(reseedFirstProfile(account.store, account.skin, account.run, DeviceKind::mouse, 2),
              ReseedResult::notNeeded);
    EXPECT_EQ(readBytes(account.kv() / "ms" / "New Profile 1.led"), before);

    ASSERT_EQ(ms.writeCount(1), IniWriteResult::ok);
    EXPECT_EQ(reseedFirstProfile(account.store, account.skin, account.run, DeviceKind::mouse, 2),
              ReseedResult::reseeded);
    EXPECT_EQ(readBytes(account.kv() / "ms" / "New Profile 1.led"),
              readBytes(account.program("msdengdefault3.led")));
}

TEST_F(ProfileStartupTest, AMissingSeedShowsTheMessageAndKeepsTheFirstProfile) {
    startAll();
    std::filesystem::remove(account.kv() / "kb" / "Profile2.led");
    const auto before = readBytes(account.kv() / "kb" / "New Profile 1.led");
    EXPECT_EQ(reseedFirstProfile(account.store, account.skin, account.run, DeviceKind::keyboard, 2),
              ReseedResult::missingSeed);
    ASSERT_EQ(account.skin.messages().size(), 1u);
    EXPECT_EQ(account.skin.messages()[0].key, "message_text_8");
    EXPECT_EQ(readBytes(account.kv() / "kb" / "New Profile 1.led"), before);
    EXPECT_EQ(rows("kb_deng_profile_combo"), std::vector<std::string>{"New Profile 1"});
}

TEST_F(ProfileStartupTest, WithoutAFirstRunNothingIsReseeded) {
    startAll();
    ProfileRunState later;  // a later start: the index was already there
    EXPECT_EQ(reseedFirstProfile(account.store, account.skin, later, DeviceKind::keyboard, 1),
              ReseedResult::notNeeded);
    EXPECT_EQ(reseedFirstProfile(account.store, account.skin, later, DeviceKind::mousepad, 0),
              ReseedResult::notNeeded);
}

}  // namespace
}  // namespace quillon::profiles

#include "profiles/factory_key_defaults.h"

namespace quillon::profiles {
namespace {

TEST_F(ProfileStartupTest, StoredKeyboardDefaultsGoToTheOverlayAndSeedTheKeyList) {
    KeyRecord map{};
    map[0] = 0x20;
    map[2] = 0x04;  // slot 0: A
    ASSERT_EQ(storeKeyboardDefaultKeys(account.folders, account.ini.locks(), 0, map),
              platform::FileWriteResult::ok);
    const auto overlayFile = account.root.path() / "overlay" / "kbkeydefault.pro";
    EXPECT_EQ(readBytes(overlayFile).size(), 528u);
    EXPECT_NE(readBytes(account.program("kbkeydefault.pro")), readBytes(overlayFile))
        << "the delivered file stays as it was";
    EXPECT_EQ(start(DeviceKind::keyboard), ListStartResult::firstRun);
    EXPECT_EQ(readBytes(account.kv() / "kb" / "New Profile 1.pro"), readBytes(overlayFile));
    EXPECT_EQ(keyboardKeyDefaultFile(2), "kbkeyfilmdefault.pro");
    EXPECT_EQ(keyboardKeyDefaultFile(7), "kbkeydefault.pro");
}

}  // namespace
}  // namespace quillon::profiles
