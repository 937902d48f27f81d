// Selecting a profile row: the selection is kept, the program link shown,
// the profile loaded; and where the window falls back when a device leaves.

#include "attach/profile_select.h"

#include <gtest/gtest.h>

#include "attach/fallback_view.h"
#include "attach/state_reads.h"
#include "attach_rig.h"
#include "link/scripted_device.h"
#include "profiles/temp_folder.h"
#include "update/update_notices.h"

namespace quillon::attach::testing {
namespace {

using link::DeviceKind;
using profiles::ProfileListId;

TEST(ProgramFileName, IsThePartAfterTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(programFileName("/usr/games/bin/shooter"), "shooter");
    EXPECT_EQ(programFileName("C:\\Games\\shooter.exe"), "shooter.exe");
    EXPECT_EQ(programFileName("plain"), "plain");
}

struct SelectFixture : ::testing::Test {
    SelectFixture() {
        // A second mousepad profile whose state byte 1 (mode) is 5, linked to a program.
        std::vector<std::uint8_t> file(80, 0);
        file[0] = 0xAA;
        file[1] = 0x55;
        file[4] = 3;
        file[16 + 1] = 5;
        profiles::testing::writeBytes(rig.kv() / "mp" / "Second.led", file);
        profiles::ProfileIndex index = rig.store.index(ProfileListId::mousepadLighting);
        EXPECT_TRUE(profiles::succeeded(index.writeCount(2)));
        EXPECT_TRUE(profiles::succeeded(index.writeName(1, "Second")));
        EXPECT_TRUE(profiles::succeeded(index.writeLinked(1, true)));
        EXPECT_TRUE(profiles::succeeded(index.writeLinkPath(1, "/opt/games/arena")));
        rig.skin.at("mp_deng_profile_combo").addRow(profiles::profileRow("Second"));
        rig.skin.setNotificationSink([this](const skin::Notification& n) {
            seen.push_back(n.name);
            rig.router.route(n);
        });
    }
    AttachRig rig;
    std::vector<std::string> seen;
};

TEST_F(SelectFixture, ALinkedRowShowsItsProgramWithoutRaisingTheCheck) {
    rig.skin.at("mp_deng_profile_link_name_hor").setVisible(false);
    selectProfileRow(rig.ctx, ProfileListId::mousepadLighting, 1);
    EXPECT_EQ(rig.store.index(ProfileListId::mousepadLighting).select(), 1);
    EXPECT_EQ(rig.skin.at("mp_deng_profile_name_edit").text(), "Second");
    EXPECT_EQ(rig.skin.at("mp_deng_profile_link_edit").text(), "arena");
    EXPECT_TRUE(rig.skin.at("mp_deng_profile_link_check").isChecked());
    EXPECT_TRUE(rig.skin.at("mp_deng_profile_link_name_hor").isVisible());
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "mp_deng_profile_link_check"), 0);
    EXPECT_EQ(rig.lighting.read([](const auto& r) { return r.mousepad.lighting.mode; }), 5);
    EXPECT_EQ(rig.seen.loaded, std::vector{ProfileListId::mousepadLighting});
}

TEST_F(SelectFixture, AnUnlinkedRowUnchecksTheLinkRaisingItsEvent) {
    rig.skin.at("mp_deng_profile_link_check").setChecked(true, false);
    selectProfileRow(rig.ctx, ProfileListId::mousepadLighting, 0);
    EXPECT_FALSE(rig.skin.at("mp_deng_profile_link_check").isChecked());
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "mp_deng_profile_link_check"), 1);
}

TEST_F(SelectFixture, AMissingProfileFileLeavesMemoryAsItWas) {
    std::filesystem::remove(rig.kv() / "mp" / "Second.led");
    rig.lighting.edit([](auto& r) { r.mousepad.lighting.mode = 2; });
    selectProfileRow(rig.ctx, ProfileListId::mousepadLighting, 1);
    EXPECT_EQ(rig.store.index(ProfileListId::mousepadLighting).select(), 1);
    EXPECT_EQ(rig.lighting.read([](const auto& r) { return r.mousepad.lighting.mode; }), 2);
    EXPECT_TRUE(rig.seen.loaded.empty());
}

TEST_F(SelectFixture, RowsOutOfRangeOrAlreadySelectedChangeNothing) {
    selectProfileRow(rig.ctx, ProfileListId::mousepadLighting, 7);
    selectProfileRow(rig.ctx, ProfileListId::mousepadLighting, -1);
    EXPECT_TRUE(rig.seen.loaded.empty());
    selectProfileRow(rig.ctx, ProfileListId::mousepadLighting, 1);
    selectProfileRow(rig.ctx, ProfileListId::mousepadLighting, 1);
    EXPECT_EQ(rig.seen.loaded.size(), 1u);
}

TEST(FallbackView, EachLeavingKindPrefersTheOtherKindsInItsOwnOrder) {
    using link::KeyboardVariant;
    using link::MouseModel;
    AttachedKinds all{true, KeyboardVariant::membrane, true, MouseModel::model2, true};
    EXPECT_EQ(fallbackView(DeviceKind::keyboard, all).tab, "ms2_tab");
    EXPECT_EQ(fallbackView(DeviceKind::mouse, all).tab, "kb_film_tab");
    EXPECT_EQ(fallbackView(DeviceKind::mousepad, all).tab, "kb_film_tab");
    AttachedKinds padOnly{false, KeyboardVariant::rgb, false, MouseModel::first, true};
    EXPECT_EQ(fallbackView(DeviceKind::mouse, padOnly).tab, "mp_tab");
    AttachedKinds model1{false, KeyboardVariant::rgb, true, MouseModel::secondEdition, true};
    const FallbackView v = fallbackView(DeviceKind::keyboard, model1);
    EXPECT_TRUE(v.tab.empty());  // the second-edition mouse wins but has no tab
    EXPECT_FALSE(v.hideWindow);
    EXPECT_EQ(fallbackView(DeviceKind::mousepad, model1).tab, "");
}

TEST(FallbackView, WithNothingLeftOnlyTheKeyboardAndMouseCloseTheUpdateWindow) {
    const AttachedKinds none{};
    for (DeviceKind k : {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad}) {
        const FallbackView v = fallbackView(k, none);
        EXPECT_TRUE(v.hideWindow);
        link::DeviceLeft left;
        left.kind = k;
        left.nothingLeft = v.hideWindow;
        EXPECT_EQ(closesUpdateWindow(left), k != DeviceKind::mousepad);
    }
}

// A keyboard that says it has 171 keys.
TEST(KeyboardStateRead, MoreThan170KeysShowsTheMessageAndReadsNoKeyMaps) {
    quillon::testing::ScriptedDevice device;
    device.responder = [](const quillon::testing::ScriptedDevice::Report& request) {
        auto answer = request;
        if (request[3] == static_cast<std::uint8_t>(link::CMD_READ_INFO))
            answer[8 + 5] = 171;
        return std::optional(answer);
    };
    AttachRig rig;
    link::DeviceLink kbLink(device);
    kbLink.setMatch(DeviceKind::keyboard);
    kbLink.hid.devicePath = device.paths[0];
    kbLink.hid.openForRead = kbLink.hid.openForWrite = true;
    ASSERT_TRUE(kbLink.hid.open());
    kbLink.connected = 1;
    AttachContext ctx{kbLink,    rig.mouseLink, rig.mousepadLink, rig.loop,
                      rig.skin,  rig.lighting,  rig.stores,       rig.identity,
                      rig.store, rig.run,       rig.events};

    EXPECT_EQ(readKeyboardState(ctx), StateRead::tooManyKeys);
    rig.loop.runPending();
    ASSERT_EQ(rig.skin.messages().size(), 1u);
    EXPECT_EQ(rig.skin.messages()[0].key, "message_text_11");
    EXPECT_EQ(kbLink.blockLength.load(), 512);
    for (const auto& w : device.writes())
        EXPECT_NE(w[3], static_cast<std::uint8_t>(link::CMD_READ_KEYMAP_BASE));
    // The sequence the read opened is closed all the same.
    ASSERT_FALSE(device.writes().empty());
    EXPECT_EQ(device.writes().back()[3], static_cast<std::uint8_t>(link::CMD_END));
}

}  // namespace
}  // namespace quillon::attach::testing
