// The whole core as the window runs it: profiles, attach, lighting views and
// threads wired into the application, driven through the in-memory skin with
// emulated devices. The GUI thread is played by the test.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/program_services.h"
#include "emu/emulated_device.h"
#include "emu/firmware_model.h"
#include "emu/virtual_bus.h"
#include "link/device_events.h"
#include "profiles/profile_events.h"
#include "profiles/temp_folder.h"
#include "program_rig.h"
#include "shell/queue_event_loop.h"
#include "shell/timer_ids.h"
#include "shell/window_message.h"
#include "skin/memory_skin.h"

namespace quillon::app {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using link::DeviceKind;

const link::Product& productOf(DeviceKind kind, std::uint8_t variant) {
    for (const link::Product& p : link::kProducts)
        if (p.kind == kind && p.variant == variant)
            return p;
    return link::kProducts[0];
}

struct Program : ::testing::Test, testing::ProgramRig {};

TEST_F(Program, AKeyboardArrivesAndItsEffectStreamsUntilItLeaves) {
    app.windowInit();
    auto keyboard = bus.plug(productOf(DeviceKind::keyboard, 0));
    ASSERT_TRUE(pumpUntil([&] { return skin.windowVisible() && keyboard->frameCount() > 5; }))
        << "frames " << keyboard->frameCount();
    EXPECT_EQ(keyboard->lastFrame().size(), 378u);
    // A first run made the keyboard's profile lists.
    EXPECT_TRUE(std::filesystem::exists(kbFolder() / "kbProfile.ini"));

    bus.unplug(*keyboard);
    ASSERT_TRUE(pumpUntil([&] { return !skin.windowVisible(); }));
    const auto frames = keyboard->frameCount();
    pumpUntil([] { return false; }, 300ms);
    EXPECT_EQ(keyboard->frameCount(), frames);
}

TEST_F(Program, AModePickedInTheViewReachesTheDeviceAndTheProfileFile) {
    app.windowInit();
    auto keyboard = bus.plug(productOf(DeviceKind::keyboard, 0));
    ASSERT_TRUE(pumpUntil([&] { return keyboard->frameCount() > 2; }));
    const auto before = std::filesystem::last_write_time(kbFolder() / "New Profile 1.led");

    // Static colour: every key gets the same colour in every frame.
    skin.userSelectRow("kb_deng_combo_modeSelect", 1);
    const auto count = keyboard->frameCount();
    ASSERT_TRUE(pumpUntil([&] { return keyboard->frameCount() > count + 3; }));
    const std::vector<std::uint8_t> frame = keyboard->lastFrame();
    ASSERT_EQ(frame.size(), 378u);
    std::ifstream file(kbFolder() / "New Profile 1.led", std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
    ASSERT_GT(bytes.size(), 17u);
    // The record follows the 16-byte header; its byte 1 is the mode.
    EXPECT_EQ(bytes[16 + 1], 1);
    EXPECT_GE(std::filesystem::last_write_time(kbFolder() / "New Profile 1.led"), before);
}

TEST_F(Program, ASaveThatFailsIsToldToTheUserOnceUntilSavesWorkAgain) {
    app.windowInit();
    auto keyboard = bus.plug(productOf(DeviceKind::keyboard, 0));
    ASSERT_TRUE(pumpUntil([&] { return keyboard->frameCount() > 2; }));
    auto notSaved = [&] {
        return std::count_if(skin.messages().begin(), skin.messages().end(),
                             [](const auto& m) { return m.key == "message_text_20"; });
    };
    // The index turns into something no save can get past.
    const auto index = kbFolder() / "kbProfile.ini";
    const std::string text = profiles::testing::readText(index);
    std::filesystem::remove(index);
    std::filesystem::create_directory(index);
    skin.userSelectRow("kb_deng_combo_modeSelect", 1);
    skin.userSelectRow("kb_deng_combo_modeSelect", 2);
    pumpUntil([&] { return notSaved() > 1; }, 300ms);
    EXPECT_EQ(notSaved(), 1);

    std::filesystem::remove(index);
    profiles::testing::writeText(index, text);
    skin.userSelectRow("kb_deng_combo_modeSelect", 3);
    loop.runPending();
    EXPECT_EQ(notSaved(), 1);
    std::filesystem::remove(index);
    std::filesystem::create_directory(index);
    skin.userSelectRow("kb_deng_combo_modeSelect", 1);
    EXPECT_TRUE(pumpUntil([&] { return notSaved() == 2; }, 2000ms));
}

TEST_F(Program, AOneColourKeyboardGetsLevelFramesNotColourFrames) {
    app.windowInit();
    auto keyboard = bus.plug(productOf(DeviceKind::keyboard, 1));
    ASSERT_TRUE(pumpUntil([&] { return keyboard->frameCount() > 2; }));
    EXPECT_EQ(keyboard->lastFrame().size(), 126u);
}

TEST_F(Program, SuspendStopsTheFramesAndResumeLetsThemGoOn) {
    app.windowInit();
    auto keyboard = bus.plug(productOf(DeviceKind::keyboard, 0));
    ASSERT_TRUE(pumpUntil([&] { return keyboard->frameCount() > 2; }));
    ASSERT_TRUE(
        app.messages().dispatch({shell::MessageId::powerBroadcast, shell::kPowerSuspend, 0}));
    pumpUntil([] { return false; }, 100ms);
    const auto frozen = keyboard->frameCount();
    pumpUntil([] { return false; }, 300ms);
    EXPECT_EQ(keyboard->frameCount(), frozen);
    ASSERT_TRUE(
        app.messages().dispatch({shell::MessageId::powerBroadcast, shell::kPowerResume, 0}));
    EXPECT_TRUE(pumpUntil([&] { return keyboard->frameCount() > frozen; }));
}

TEST_F(Program, AMousepadChangeReachesTheDeviceWithTheNextFlush) {
    app.windowInit();
    auto pad = bus.plug(productOf(DeviceKind::mousepad, 0));
    // The mousepad alone does not bring the window up.
    ASSERT_TRUE(pumpUntil([&] { return app.link(DeviceKind::mousepad).connected == 1; }));
    pumpUntil([] { return false; }, 300ms);
    EXPECT_FALSE(skin.windowVisible());
    pad->clearRequestLog();
    services->lightingEngine().settings.edit([](auto& r) {
        r.mousepad.lighting.mode = 1;
        r.mousepadDirty = true;
    });
    auto settingsWrites = [&] {
        const auto requests = pad->requests();
        return std::count_if(requests.begin(), requests.end(), [](const auto& r) {
            return r.command() == static_cast<std::uint8_t>(link::CMD_WRITE_SETTINGS) &&
                   r.length() == 56;
        });
    };
    ASSERT_TRUE(app.messages().dispatchTimer(shell::TimerId::settingsFlush));
    // The write goes out from the device-jobs worker, not from this thread.
    EXPECT_TRUE(pumpUntil([&] { return settingsWrites() == 1; }));
    pumpUntil([] { return false; }, 100ms);
    EXPECT_EQ(settingsWrites(), 1);
    // A second tick without a change sends nothing.
    pad->clearRequestLog();
    ASSERT_TRUE(app.messages().dispatchTimer(shell::TimerId::settingsFlush));
    pumpUntil([] { return false; }, 100ms);
    const auto later = pad->requests();
    EXPECT_EQ(std::count_if(later.begin(), later.end(),
                            [](const auto& r) {
                                return r.command() ==
                                       static_cast<std::uint8_t>(link::CMD_WRITE_SETTINGS);
                            }),
              0);
}

TEST_F(Program, AMouseArrivalReadsItsInformationRecordTwiceAndItsSavesNever) {
    app.windowInit();
    auto mouse = bus.plug(productOf(DeviceKind::mouse, 0));
    ASSERT_TRUE(pumpUntil([&] { return skin.windowVisible() && mouse->frameCount() > 2; }));
    pumpUntil([] { return false; }, 200ms);
    auto infoReads = [&] {
        const auto requests = mouse->requests();
        return std::count_if(requests.begin(), requests.end(), [](const auto& r) {
            return r.command() == static_cast<std::uint8_t>(link::CMD_READ_INFO);
        });
    };
    // One with the folder lookup, one within the framed state read.
    EXPECT_EQ(infoReads(), 2);
    skin.userSlide("ms_deng_light_slider", 5, false);  // saves the mouse's lighting profile
    pumpUntil([] { return false; }, 100ms);
    EXPECT_EQ(infoReads(), 2);
}

TEST_F(Program, AMouseHandedBackFromSynchronisedLightingRunsItsOwnEffectAgain) {
    app.windowInit();
    auto keyboard = bus.plug(productOf(DeviceKind::keyboard, 0));
    auto mouse = bus.plug(productOf(DeviceKind::mouse, 0));
    ASSERT_TRUE(pumpUntil([&] { return keyboard->frameCount() > 2 && mouse->frameCount() > 2; }));
    skin.userClick("kb_deng_same_mode");
    ASSERT_EQ(app.link(DeviceKind::mouse).syncLighting, 1);
    auto framesGoOn = [&](const std::shared_ptr<emu::EmulatedDevice>& device) {
        const auto count = device->frameCount();
        return pumpUntil([&] { return device->frameCount() > count + 3; });
    };
    EXPECT_TRUE(framesGoOn(mouse));  // from the synchronised thread

    skin.userSlide("ms_deng_light_slider", 5, false);
    EXPECT_EQ(app.link(DeviceKind::mouse).syncLighting, 0);
    EXPECT_EQ(app.link(DeviceKind::keyboard).syncLighting, 1);
    EXPECT_TRUE(framesGoOn(mouse));  // from its own thread, woken by the hand-back
    EXPECT_TRUE(framesGoOn(keyboard));
}

TEST_F(Program, ShutdownWithDevicesAttachedIsBounded) {
    app.windowInit();
    bus.plug(productOf(DeviceKind::keyboard, 0));
    bus.plug(productOf(DeviceKind::mouse, 0));
    bus.plug(productOf(DeviceKind::mousepad, 0));
    ASSERT_TRUE(pumpUntil([&] {
        return app.link(DeviceKind::keyboard).connected && app.link(DeviceKind::mouse).connected &&
               app.link(DeviceKind::mousepad).connected;
    }));
    // The lighting threads are workers of the application like the monitors.
    for (auto w : {shell::Worker::keyboardAttach, shell::Worker::mouseEvents,
                   shell::Worker::keyboardLighting, shell::Worker::mouseLighting,
                   shell::Worker::mousepadLighting, shell::Worker::syncLighting})
        EXPECT_TRUE(app.workers().running(w)) << static_cast<int>(w);
    const auto asked = Clock::now();
    services->stop();
    const shell::StopReport report = app.shutdown();
    EXPECT_EQ(report.stillRunning, 0u);
    EXPECT_LT(Clock::now() - asked, 1500ms);
}

}  // namespace
}  // namespace quillon::app

namespace quillon::app {
namespace {

TEST_F(Program, TheMouseAndTheMousepadRunTheirOwnEffects) {
    app.windowInit();
    auto mouse = bus.plug(productOf(DeviceKind::mouse, 0));
    auto pad = bus.plug(productOf(DeviceKind::mousepad, 0));
    ASSERT_TRUE(pumpUntil([&] { return mouse->frameCount() > 2 && pad->frameCount() > 2; }))
        << mouse->frameCount() << " " << pad->frameCount();
    // The screen picture follows the frames.
    const auto& leds = services->lightingEngine().mirrors.mouse;
    bool lit = false;
    for (std::size_t i = 0; i < leds.size(); ++i)
        lit = lit || leds.cell(i).alpha != 0;
    EXPECT_TRUE(lit);
}

TEST_F(Program, ALightingCheckEndsTheRoutingInsteadOfFallingToTheTabNavigation) {
    app.windowInit();
    // A keyboard macro is being edited: any selection that reaches the tab
    // navigation bounces back to the macro page with a message.
    skin.at("kb_macro_tab_saveorcancel").setVisible(true);
    skin.userCheck("kb_Deng_7color_check", true);
    EXPECT_TRUE(skin.messages().empty());
    EXPECT_EQ(services->lightingEngine().settings.snapshot().keyboard.lighting.multiColour, 1);
    // The same selection of a page option does reach it.
    skin.userCheck("kb_deng_Op_tab", true);
    ASSERT_EQ(skin.messages().size(), 1u);
    EXPECT_EQ(skin.messages()[0].key, "message_text_3");
}

TEST_F(Program, TheModulesHearArrivalsAndProfileLoadsInTheOrderTheyWereInstalled) {
    std::vector<std::string> heard;
    app.events().subscribe<link::DeviceArrived>([&](const link::DeviceArrived& e) {
        heard.push_back("arrived " + std::string(link::kindName(e.kind)));
        // The lighting module, installed earlier, has bound the pictures already.
        EXPECT_NE(services->lightingPictures().mouseKeyControls[0], nullptr);
        EXPECT_EQ(e.mouseModel, link::MouseModel::model2);
    });
    app.events().subscribe<profiles::ProfileLoaded>(
        [&](const profiles::ProfileLoaded&) { heard.push_back("profile"); });
    app.windowInit();
    auto mouse = bus.plug(productOf(DeviceKind::mouse, 2));
    ASSERT_TRUE(pumpUntil(
        [&] { return std::find(heard.begin(), heard.end(), "arrived mouse") != heard.end(); }));
    EXPECT_EQ(services->identity().mouseModel.load(), link::MouseModel::model2);
    EXPECT_EQ(services->lightingPictures().mouseKeyControls[0]->name(), "ms2_dkey_0");
    // The saved profiles are selected before the modules hear of the arrival.
    EXPECT_EQ(heard.front(), "profile");
}

TEST_F(Program, AfterSuspendAndResumeEveryDeviceHoldsItsFramesSettingsAndSlotAgain) {
    auto keyboard = bus.plug(productOf(DeviceKind::keyboard, 0));
    auto mouse = bus.plug(productOf(DeviceKind::mouse, 0));
    auto mousepad = bus.plug(productOf(DeviceKind::mousepad, 0));
    // Left on slots 2 and 3 by an earlier run, with lighting of their own.
    mouse->modify([](emu::FirmwareModel& f) {
        f.mutableSettingsArea()[0] = 2;
        f.mutableSettingsArea()[2] ^= 0x05;
    });
    mousepad->modify([](emu::FirmwareModel& f) {
        f.mutableSettingsArea()[0] = 3;
        f.mutableSettingsArea()[3 * emu::kSlotRecordStride + 2] ^= 0x05;
    });
    app.windowInit();
    ASSERT_TRUE(pumpUntil([&] {
        return app.link(DeviceKind::mouse).connected == 1 &&
               app.link(DeviceKind::mousepad).connected == 1 && keyboard->frameCount() > 5;
    }));
    pumpUntil([] { return false; }, 1500ms);  // a settings flush has passed
    // A slot record as the device holds it (byte 0 of slot 0's record is the
    // active slot, compared apart).
    auto held = [](const std::shared_ptr<emu::EmulatedDevice>& d, std::size_t slot,
                   std::size_t size) {
        return d->inspect([=](const emu::FirmwareModel& f) {
            const auto r = f.slotRecord(slot);
            return std::vector<std::uint8_t>(r.begin() + 1, r.begin() + std::ptrdiff_t(size));
        });
    };
    constexpr std::size_t kMouseBytes = 56;
    constexpr std::size_t kMousepadBytes = 56;
    const auto mouseRecord = held(mouse, 0, kMouseBytes);
    const auto mousepadRecord = held(mousepad, 3, kMousepadBytes);
    ASSERT_EQ(mouse->activeSlot(), 2);
    ASSERT_EQ(mousepad->activeSlot(), 3);

    ASSERT_TRUE(app.postMessage({shell::MessageId::powerBroadcast, shell::kPowerSuspend, 0}));
    pumpUntil([] { return false; }, 100ms);
    const auto framesAsleep = keyboard->frameCount();
    pumpUntil([] { return false; }, 300ms);
    EXPECT_LE(keyboard->frameCount(), framesAsleep + 1) << "frames went on during suspend";

    // Power is lost while asleep: each device is back at its factory state.
    for (const auto& device : {keyboard, mouse, mousepad})
        device->modify([](emu::FirmwareModel& f) { f.losePower(); });
    ASSERT_NE(held(mouse, 0, kMouseBytes), mouseRecord);
    ASSERT_NE(held(mousepad, 3, kMousepadBytes), mousepadRecord);
    ASSERT_EQ(mouse->activeSlot(), 0);

    ASSERT_TRUE(app.postMessage({shell::MessageId::powerBroadcast, shell::kPowerResume, 0}));
    EXPECT_TRUE(pumpUntil([&] {
        return keyboard->frameCount() > framesAsleep + 5 && !keyboard->lastFrame().empty() &&
               mouse->activeSlot() == 2 && mousepad->activeSlot() == 3 &&
               held(mouse, 0, kMouseBytes) == mouseRecord &&
               held(mousepad, 3, kMousepadBytes) == mousepadRecord;
    })) << "mouse slot "
        << int(mouse->activeSlot()) << ", mousepad slot " << int(mousepad->activeSlot())
        << ", frames " << keyboard->frameCount() - framesAsleep << ", mouse record "
        << (held(mouse, 0, kMouseBytes) == mouseRecord) << ", mousepad record "
        << (held(mousepad, 3, kMousepadBytes) == mousepadRecord);
}

}  // namespace
}  // namespace quillon::app
