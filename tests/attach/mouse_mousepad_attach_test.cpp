// The mouse's and the mousepad's arrival, re-reads and removal.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "attach/profile_memory.h"
#include "attach/state_reads.h"
#include "attach_rig.h"
#include "link/interface_scan.h"
#include "link/protocol.h"
#include "link/scripted_device.h"
#include "profiles/temp_folder.h"

namespace quillon::attach::testing {
namespace {

using link::DeviceKind;

TEST(MouseArrival, Model0ShowsItsViewsSelectsItsTabAndTellsTheUpdateWindow) {
    AttachRig rig;
    auto mouse = rig.attach(0x5523);
    EXPECT_EQ(rig.identity.mouseModel.load(), link::MouseModel::first);
    EXPECT_EQ(rig.identity.mousePresent.load(), 1);
    EXPECT_TRUE(rig.skin.at("ms_tab").isChecked());
    EXPECT_TRUE(rig.skin.at("ms_deng_key").isVisible());
    EXPECT_FALSE(rig.skin.at("ms2_deng_key").isVisible());
    ASSERT_NE(rig.pictures.controls().mouseKeyControls[19], nullptr);
    EXPECT_EQ(rig.pictures.controls().mouseKeyControls[19]->name(), "ms_dkey_19");
    EXPECT_EQ(rig.seen.notices, std::vector{UpdateNotice::mouseArrived});
    EXPECT_TRUE(rig.skin.windowVisible());
    // Info, factory map and five slot maps framed once, the pattern read-back once more.
    EXPECT_EQ(countRequests(*mouse, link::CMD_BEGIN), 2u);
    EXPECT_EQ(countRequests(*mouse, link::CMD_END), 2u);
    EXPECT_EQ(rig.skin.at("ms_deng_profile_combo").currentRow(), 0);
    EXPECT_EQ(rig.skin.at("ms_key_profile_combo").currentRow(), 0);
}

TEST(MouseArrival, Model1LeavesMousePresentAt0AndSelectsNoTab) {
    AttachRig rig;
    rig.skin.at("ms_deng_key").setVisible(false);
    rig.attach(0x6656);
    EXPECT_EQ(rig.identity.mouseModel.load(), link::MouseModel::secondEdition);
    EXPECT_EQ(rig.identity.mousePresent.load(), 0);
    EXPECT_FALSE(rig.skin.at("ms_tab").isChecked());
    EXPECT_FALSE(rig.skin.at("ms2_tab").isChecked());
    EXPECT_TRUE(rig.skin.at("ms_cursor_Op_tab").isVisible());
    EXPECT_TRUE(rig.skin.at("key_gun").isVisible());
    EXPECT_FALSE(rig.skin.at("ms_deng_key").isVisible());  // untouched
    EXPECT_FALSE(rig.skin.at("ms_key_0_0").isVisible()) << "no button overlays";
    EXPECT_FALSE(rig.skin.at("ms2_key_5_0").isVisible());
    EXPECT_TRUE(rig.seen.notices.empty());
}

TEST(MouseArrival, Model2UsesTheSecondViewsAndReseedsOnAFirstRun) {
    AttachRig rig;
    const auto seed = profiles::testing::readBytes(rig.kv() / "ms" / "Profile.led");
    rig.attach(0x764D);
    EXPECT_EQ(rig.identity.mousePresent.load(), 2);
    EXPECT_TRUE(rig.skin.at("ms2_tab").isChecked());
    EXPECT_FALSE(rig.skin.at("ms_cursor_Op_tab").isVisible());
    EXPECT_TRUE(rig.skin.at("ms2_key_layout").isVisible());
    EXPECT_TRUE(rig.skin.at("ms2_key_5_0").isVisible());
    EXPECT_FALSE(rig.skin.at("ms_key_5_0").isVisible());
    EXPECT_EQ(rig.pictures.controls().mouseKeyControls[0]->name(), "ms2_dkey_0");
    EXPECT_EQ(rig.seen.notices, std::vector{UpdateNotice::mouse2Arrived});
    // The reseeded profile, whose record keeps the seed's bytes after the state.
    const auto file = profiles::testing::readBytes(rig.kv() / "ms" / "New Profile 1.led");
    ASSERT_EQ(file.size(), seed.size());
    EXPECT_TRUE(std::equal(seed.begin() + 16 + 25, seed.end(), file.begin() + 16 + 25));
}

TEST(MouseArrival, ReadingBackTheMovementPatternsReselectsTheFirstOption) {
    AttachRig rig;
    int events = 0;
    rig.skin.setNotificationSink([&](const skin::Notification& n) {
        if (n.name == "ms_gun_op_0")
            ++events;
        rig.router.route(n);
    });
    rig.attach(0x5523);
    EXPECT_EQ(events, 2);
    EXPECT_TRUE(rig.skin.at("ms_gun_op_0").isChecked());
}

TEST(MouseRemoval, WithAMembraneKeyboardLeftTheFilmTabIsSelected) {
    AttachRig rig;
    rig.attach(0x6523);
    auto mouse = rig.attach(0x764D);
    rig.skin.at("kb_film_tab").setChecked(false, false);
    rig.detach(mouse);
    EXPECT_TRUE(rig.skin.at("kb_film_tab").isChecked());
    EXPECT_FALSE(rig.skin.at("ms2_tab").isVisible());
    EXPECT_EQ(rig.identity.mousePresent.load(), 0);
    EXPECT_EQ(rig.seen.notices.back(), UpdateNotice::mouse2Left);
    EXPECT_TRUE(rig.skin.windowVisible());
}

TEST(MouseRereads, TheSettingsReadStoresSlot0AndSavesItsProfile) {
    AttachRig rig;
    auto mouse = rig.attach(0x5523);
    readMouseSettings(rig.ctx);
    const lighting::MouseState state = rig.lighting.read([](const auto& r) { return r.mouse; });
    EXPECT_EQ(state.slot, 0);
    const auto area = mouse->inspect([](const emu::FirmwareModel& fw) {
        return std::vector<std::uint8_t>(fw.settingsArea().begin(), fw.settingsArea().end());
    });
    const auto bytes = lighting::toBytes(state);
    EXPECT_TRUE(std::equal(bytes.begin() + 1, bytes.end(), area.begin() + 1));
}

TEST(MouseRereads, AnUnansweredSettingsReadChangesNothing) {
    AttachRig rig;
    auto mouse = rig.attach(0x5523);
    rig.lighting.edit([](auto& r) { r.mouse.lighting.red = 77; });
    const StoredData before = rig.stores.read([](const StoredData& d) { return d; });
    mouse->dropAnswersUntilCleared();
    readMouseSettings(rig.ctx);
    EXPECT_EQ(rig.lighting.read([](const auto& r) { return r.mouse.lighting.red; }), 77);
    const StoredData after = rig.stores.read([](const StoredData& d) { return d; });
    EXPECT_EQ(after.mouse.slots[1], before.mouse.slots[1]);
    EXPECT_EQ(after.mouse.baseKeyMap, before.mouse.baseKeyMap);
}

TEST(MousepadArrival, ActiveSlot3BecomesTheCurrentRecordAndSlot0IsSaved) {
    AttachRig rig;
    auto pad = rig.bus.plug(0x5104);
    {
        // Make slot 3 active on the device before the program sees it.
        link::DeviceLink direct(rig.bus);
        direct.setMatch(DeviceKind::mousepad);
        ASSERT_TRUE(link::connectFirst(direct, DeviceKind::mousepad));
        const std::uint8_t three = 3;
        ASSERT_EQ(link::writeSettings(direct, std::span(&three, 1)), link::Status::ok);
    }
    ASSERT_EQ(pad->activeSlot(), 3);
    rig.skin.windowCommand(skin::WindowCommand::hide);
    // As after an earlier arrival in this run: the saved row is selected
    // already, so its profile is not loaded over the device's current record.
    rig.skin.at("mp_deng_profile_combo").selectRow(0, false);
    static_cast<void>(rig.poll(DeviceKind::mousepad));

    const auto area = pad->inspect([](const emu::FirmwareModel& fw) {
        return std::vector<std::uint8_t>(fw.settingsArea().begin(), fw.settingsArea().end());
    });
    const lighting::MousepadState state =
        rig.lighting.read([](const auto& r) { return r.mousepad; });
    const auto bytes = lighting::toBytes(state);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_TRUE(std::equal(bytes.begin() + 1, bytes.end(), area.begin() + 3 * 64 + 1));
    // The selected profile holds slot 0's record, not the current one.
    const auto file = profiles::testing::readBytes(rig.kv() / "mp" / "New Profile 1.led");
    ASSERT_EQ(file.size(), 80u);
    EXPECT_TRUE(std::equal(area.begin() + 1, area.begin() + 56, file.begin() + 16 + 1));
    EXPECT_EQ(file[16], area[0 * 64]);  // whatever slot 0 holds in its first byte
    // Arriving while the window is hidden does not show it, and the update window hears nothing.
    EXPECT_FALSE(rig.skin.windowVisible());
    EXPECT_TRUE(rig.seen.notices.empty());
    EXPECT_TRUE(rig.skin.at("mp_tab").isChecked());
}

TEST(MousepadRemoval, WithOnlyAMembraneKeyboardLeftItsTabIsSelectedAndTheWindowStays) {
    AttachRig rig;
    rig.attach(0x6523);
    auto pad = rig.attach(0x5104);
    rig.skin.at("kb_film_tab").setChecked(false, false);
    rig.detach(pad);
    EXPECT_TRUE(rig.skin.at("kb_film_tab").isChecked());
    EXPECT_FALSE(rig.skin.at("mp_tab").isVisible());
    EXPECT_TRUE(rig.skin.windowVisible());
}

TEST(MousepadRemoval, WithNothingLeftTheWindowHidesAndTheUpdateWindowStaysOpen) {
    AttachRig rig;
    auto pad = rig.attach(0x5104);
    rig.skin.windowCommand(skin::WindowCommand::show);
    rig.detach(pad);
    EXPECT_FALSE(rig.skin.windowVisible());
    EXPECT_EQ(rig.seen.closes, 0);
}

// A mousepad whose answers are scripted: offset 0 of its settings area says
// `active`; every other settings byte is 0x40 + its position in the answer.
struct ScriptedPad : ::testing::Test {
    using Report = quillon::testing::ScriptedDevice::Report;
    ScriptedPad() {
        device.responder = [this](const Report& request) -> std::optional<Report> {
            if (silent)
                return std::nullopt;
            Report answer = request;
            const bool slotZeroRead =
                request[3] == static_cast<std::uint8_t>(link::CMD_READ_SETTINGS) &&
                request[4] == 56 && request[5] == 0 && request[6] == 0;
            if (slotZeroSilent && slotZeroRead)
                return std::nullopt;
            if (refusing || slotZeroSilent) {
                answer[7] = link::kStatusError;
                return answer;
            }
            if (request[3] == static_cast<std::uint8_t>(link::CMD_READ_SETTINGS)) {
                const std::uint16_t offset = std::uint16_t(request[5] | request[6] << 8);
                for (std::size_t i = 0; i < request[4]; ++i)
                    answer[8 + i] = offset == 0 && i == 0 ? active.load() : std::uint8_t(0x40 + i);
            }
            return answer;
        };
        padLink.setMatch(DeviceKind::mousepad);
        padLink.hid.devicePath = device.paths[0];
        padLink.hid.openForRead = padLink.hid.openForWrite = true;
        EXPECT_TRUE(padLink.hid.open());
        padLink.connected = 1;
        rig.lighting.edit([](lighting::LightingRecords& r) {
            r.mousepad.slot = 1;
            r.mousepad.lighting.green = 9;
        });
    }
    lighting::MousepadState state() {
        return rig.lighting.read([](const lighting::LightingRecords& r) { return r.mousepad; });
    }

    quillon::testing::ScriptedDevice device;
    AttachRig rig;
    link::DeviceLink padLink{device};
    AttachContext ctx{rig.keyboardLink, rig.mouseLink, padLink,   rig.loop, rig.skin,  rig.lighting,
                      rig.stores,       rig.identity,  rig.store, rig.run,  rig.events};
    std::atomic<std::uint8_t> active{2};
    std::atomic<bool> silent{false};
    std::atomic<bool> refusing{false};
    // Slot 0's record never comes; every other request is refused.
    std::atomic<bool> slotZeroSilent{false};
};

// The bytes of every file in a folder, by name.
std::map<std::string, std::string> filesIn(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] =
            std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

TEST_F(ScriptedPad, TheActiveSlotReadMakesThatSlotCurrent) {
    readMousepadActiveSlot(ctx);
    EXPECT_EQ(state().slot, 2);
    EXPECT_EQ(state().lighting.mode, 0x41);
    const StoredData d = rig.stores.read([](const StoredData& x) { return x; });
    EXPECT_EQ(d.mousepad.slots[2][0], 2);
    // The state it replaced went back into its own slot first.
    EXPECT_EQ(d.mousepad.slots[1][1 + 6], 9);  // green of the LightingRecord
}

TEST_F(ScriptedPad, AnActiveSlotAbove4IsIgnoredByBothReads) {
    active = 7;
    const lighting::MousepadState before = state();
    readMousepadActiveSlot(ctx);
    EXPECT_EQ(state(), before);
    readMousepadState(ctx);
    EXPECT_EQ(state(), before);
    // The five slot records that did arrive are kept.
    const StoredData d = rig.stores.read([](const StoredData& x) { return x; });
    EXPECT_EQ(d.mousepad.slots[4][1], 0x41);
}

TEST_F(ScriptedPad, FailedReadsStoreNothingAndLeaveTheProfileFiles) {
    const lighting::MousepadState before = state();
    const StoredData stored = rig.stores.read([](const StoredData& x) { return x; });
    const auto files = filesIn(rig.kv() / "mp");
    ASSERT_FALSE(files.empty());
    refusing = true;
    readMousepadState(ctx);
    silent = true;  // one exchange without any answer
    readMousepadActiveSlot(ctx);
    EXPECT_EQ(state().lighting, before.lighting);
    const StoredData after = rig.stores.read([](const StoredData& x) { return x; });
    EXPECT_EQ(after.mousepad.slots[0], stored.mousepad.slots[0]);
    EXPECT_EQ(after.mousepad.slots[3], stored.mousepad.slots[3]);
    EXPECT_EQ(after.mousepad.info.bytes, stored.mousepad.info.bytes);
    EXPECT_EQ(filesIn(rig.kv() / "mp"), files);
}

TEST_F(ScriptedPad, AFirstArrivalWithoutSlotZerosRecordLeavesTheProfileFiles) {
    const auto files = filesIn(rig.kv() / "mp");
    ASSERT_FALSE(files.empty());
    slotZeroSilent = true;
    MousepadAttach steps{ctx};
    steps.arrival(padLink);
    rig.loop.runPending();
    EXPECT_EQ(filesIn(rig.kv() / "mp"), files);
    // A re-read that gets slot 0 saves it.
    slotZeroSilent = false;
    readMousepadState(ctx);
    EXPECT_NE(filesIn(rig.kv() / "mp"), files);
}

}  // namespace
}  // namespace quillon::attach::testing
