// What a keyboard's arrival reads and shows, and where the window goes when
// it leaves.

#include <gtest/gtest.h>

#include "attach/state_reads.h"
#include "attach_rig.h"
#include "profiles/profile_file.h"
#include "profiles/temp_folder.h"

namespace quillon::attach::testing {
namespace {

using link::DeviceKind;

TEST(KeyboardArrival, A104KeyKeyboardReadsTwoKeyMapsOf312BytesInSixChunksEach) {
    AttachRig rig;
    auto kb = rig.attach(0x8611);
    EXPECT_EQ(rig.keyboardLink.blockLength.load(), 312);
    EXPECT_EQ(countRequests(*kb, link::CMD_READ_KEYMAP_BASE), 6u);
    EXPECT_EQ(countRequests(*kb, link::CMD_READ_KEYMAP_SLOT), 6u);
    EXPECT_EQ(countRequests(*kb, link::CMD_BEGIN), 1u);
    EXPECT_EQ(countRequests(*kb, link::CMD_END), 1u);
    std::size_t moved = 0;
    for (const link::CommandReport& r : kb->requests())
        if (r.command() == static_cast<std::uint8_t>(link::CMD_READ_KEYMAP_BASE))
            moved += r.length();
    EXPECT_EQ(moved, 312u);
    // The stored factory map is the device's own.
    const KeyMap base = rig.stores.read([](const StoredData& d) { return d.keyboard.baseKeyMap; });
    kb->inspect([&](const emu::FirmwareModel& fw) {
        auto image = fw.baseKeymap();
        EXPECT_TRUE(std::equal(base.begin(), base.begin() + 312, image.begin()));
    });
    EXPECT_EQ(rig.seen.keyIndexCounts, std::vector<int>{104});
}

TEST(KeyboardArrival, TheRgbKeyboardBindsItsKeysShowsTheWindowAndTellsTheUpdateWindow) {
    AttachRig rig;
    rig.skin.at("kb_film_light").setVisible(true);
    rig.attach(0x8611);
    EXPECT_EQ(rig.identity.keyboardVariant.load(), link::KeyboardVariant::rgb);
    EXPECT_EQ(rig.identity.keyboardPresent.load(), 1);
    EXPECT_EQ(rig.identity.keyboardFirmwareVersion.load(),
              rig.keyboardLink.hid.attributes().versionNumber);
    EXPECT_FALSE(rig.skin.at("kb_film_light").isVisible());
    EXPECT_TRUE(rig.skin.at("kb_mechanical_key").isVisible());
    ASSERT_NE(rig.pictures.controls().keyControls[5], nullptr);
    EXPECT_EQ(rig.pictures.controls().keyControls[5]->name(), "kb_dkey_5");
    EXPECT_TRUE(rig.pictures.controls().keyControls[5]->overlayEnabled());
    EXPECT_EQ(rig.pictures.controls().keyControls[5]->overlayAlpha(), 0);
    EXPECT_TRUE(rig.skin.windowVisible());
    EXPECT_TRUE(rig.skin.at("kb_tab").isChecked());
    EXPECT_TRUE(rig.skin.at("kb_tab_panel").isVisible());
    EXPECT_EQ(rig.seen.notices, std::vector{UpdateNotice::rgbKeyboardArrived});
    EXPECT_TRUE(rig.loop.timerActive(shell::TimerId::relayout));
}

TEST(KeyboardArrival, AMembraneKeyboardBindsTheFilmKeysAndAMissingControlLeavesAnEmptyEntry) {
    AttachRig rig;
    rig.skin.setCreateOnDemand(false);
    rig.skin.declare("kb_fkey_0");
    rig.skin.declare("kb_film_light").setVisible(false);
    rig.attach(0x6523);
    EXPECT_EQ(rig.identity.keyboardPresent.load(), 3);
    EXPECT_TRUE(rig.skin.at("kb_film_light").isVisible());
    ASSERT_NE(rig.pictures.controls().keyControls[0], nullptr);
    EXPECT_EQ(rig.pictures.controls().keyControls[0]->name(), "kb_fkey_0");
    EXPECT_EQ(rig.pictures.controls().keyControls[1], nullptr);
}

TEST(KeyboardArrival, TheSavedProfilesAreSelectedAndAppliedOnceInARun) {
    AttachRig rig;
    auto kb = rig.attach(0x8611);
    EXPECT_EQ(rig.skin.at("kb_deng_profile_combo").currentRow(), 0);
    EXPECT_EQ(rig.skin.at("kb_key_profile_combo").currentRow(), 0);
    EXPECT_EQ(rig.skin.at("kb_deng_profile_name_edit").text(), "New Profile 1");
    EXPECT_EQ(rig.seen.loaded, (std::vector{profiles::ProfileListId::keyboardLighting,
                                            profiles::ProfileListId::keyboardKeys}));
    // The rows stay selected: a replug does not load them again.
    rig.detach(kb);
    rig.attach(0x8611);
    EXPECT_EQ(rig.seen.loaded.size(), 2u);
}

// The lighting record of the keyboard's first profile file.
std::vector<std::uint8_t> firstKeyboardProfile(AttachRig& rig) {
    return profiles::testing::readBytes(rig.kv() / "kb" / "New Profile 1.led");
}

TEST(KeyboardFirstRun, AOneColourKeyboardReseedsTheFirstProfileOnlyInTheRunThatMadeTheIndex) {
    AttachRig first;
    const auto seed = profiles::testing::readBytes(first.kv() / "kb" / "Profile.led");
    ASSERT_NE(firstKeyboardProfile(first), seed);
    auto kb = first.attach(0x6556);
    EXPECT_EQ(firstKeyboardProfile(first), seed);

    // Replugging in the same run keeps what the user made meanwhile.
    auto edited = seed;
    edited.back() ^= 0xFF;
    profiles::testing::writeBytes(first.kv() / "kb" / "New Profile 1.led", edited);
    first.detach(kb);
    first.attach(0x6556);
    EXPECT_EQ(firstKeyboardProfile(first), edited);
}

TEST(KeyboardFirstRun, ALaterRunDoesNotReseed) {
    AttachRig later(/*firstRun=*/false);
    const auto before = firstKeyboardProfile(later);
    later.attach(0x6556);
    EXPECT_EQ(firstKeyboardProfile(later), before);
}

TEST(KeyboardRemoval, WithOnlyTheMousepadLeftItsTabIsSelectedAndTheWindowStays) {
    AttachRig rig;
    rig.attach(0x5104);
    auto kb = rig.attach(0x8611);
    rig.skin.at("mp_tab").setChecked(false, false);
    rig.detach(kb);
    EXPECT_TRUE(rig.skin.at("mp_tab").isChecked());
    EXPECT_TRUE(rig.skin.windowVisible());
    EXPECT_FALSE(rig.skin.at("kb_tab").isVisible());
    EXPECT_EQ(rig.identity.keyboardPresent.load(), 0);
    EXPECT_EQ(rig.identity.keyboardVariant.load(), link::KeyboardVariant::rgb);
    EXPECT_EQ(rig.seen.notices.back(), UpdateNotice::rgbKeyboardLeft);
    EXPECT_EQ(rig.seen.closes, 0);
}

TEST(KeyboardRemoval, WithNothingLeftTheWindowIsHiddenAndTheUpdateWindowClosed) {
    AttachRig rig;
    auto kb = rig.attach(0x6523);
    ASSERT_TRUE(rig.skin.windowVisible());
    rig.detach(kb);
    EXPECT_FALSE(rig.skin.windowVisible());
    EXPECT_EQ(rig.seen.closes, 1);
    EXPECT_EQ(rig.seen.notices.back(), UpdateNotice::membraneKeyboardLeft);
    EXPECT_EQ(rig.identity.keyboardVariant.load(),
              link::KeyboardVariant::membrane);  // survives removal
}

TEST(KeyboardRemoval, WithAModel1MouseLeftNoTabIsSelected) {
    AttachRig rig;
    rig.attach(0x6656);
    auto kb = rig.attach(0x8611);
    rig.skin.at("ms_tab").setChecked(false, false);
    rig.skin.at("ms2_tab").setChecked(false, false);
    rig.detach(kb);
    EXPECT_FALSE(rig.skin.at("ms_tab").isChecked());
    EXPECT_FALSE(rig.skin.at("ms2_tab").isChecked());
    EXPECT_TRUE(rig.skin.windowVisible());
}

TEST(KeyboardStillPresent, TheSameModeOptionShowsOnlyWhileAnotherKindIsAttached) {
    AttachRig rig;
    rig.attach(0x8611);
    static_cast<void>(rig.poll(DeviceKind::keyboard));
    EXPECT_FALSE(rig.skin.at("kb_deng_same_mode").isVisible());
    rig.attach(0x5104);
    static_cast<void>(rig.poll(DeviceKind::keyboard));
    EXPECT_TRUE(rig.skin.at("kb_deng_same_mode").isVisible());
}

TEST(KeyboardDefaultKeys, TheFactoryMapIsWrittenToTheOverlayAsTheVariantsDefaultFile) {
    AttachRig rig;
    const auto installed = rig.root.path() / "program" / "kbkeyonecolordefault.pro";
    profiles::testing::writeBytes(installed, std::vector<std::uint8_t>(528, 0));
    rig.attach(0x6556);
    ASSERT_TRUE(storeKeyboardDefaultKeys(rig.ctx));
    const auto file =
        profiles::testing::readBytes(rig.root.path() / "overlay" / "kbkeyonecolordefault.pro");
    ASSERT_EQ(file.size(), 16u + 512u);
    EXPECT_EQ(file[0], 0xAA);
    EXPECT_EQ(file[1], 0x55);
    EXPECT_EQ(file[4], 1);
    const KeyMap base = rig.stores.read([](const StoredData& d) { return d.keyboard.baseKeyMap; });
    EXPECT_TRUE(std::equal(base.begin(), base.end(), file.begin() + 16));
    // The installed file is untouched; the overlay's copy shadows it.
    EXPECT_EQ(profiles::testing::readBytes(installed), std::vector<std::uint8_t>(528, 0));
    EXPECT_EQ(rig.folders.programFile("kbkeyonecolordefault.pro"),
              rig.root.path() / "overlay" / "kbkeyonecolordefault.pro");
}

TEST(KeyboardDefaultKeys, AFailedReadWritesNoFile) {
    AttachRig rig;
    auto kb = rig.attach(0x8611);
    kb->dropAnswersUntilCleared();
    EXPECT_FALSE(storeKeyboardDefaultKeys(rig.ctx));
    EXPECT_FALSE(std::filesystem::exists(rig.root.path() / "overlay" / "kbkeydefault.pro"));
}

}  // namespace
}  // namespace quillon::attach::testing
