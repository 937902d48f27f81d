// The lighting threads' passes: what a pass pauses, calls and sends in each
// state of its device, and that the threads stop promptly.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <functional>
#include <thread>

#include "effect_rig.h"
#include "lighting/lighting_threads.h"

namespace quillon::lighting {
namespace {

using test::EffectRig;

TEST(KeyboardPass, PausesTheTableTimeThenSendsOneFrameAndAdvancesTheTick) {
    EffectRig rig;
    rig.select(2);
    rig.engine.settings.edit([](LightingRecords& r) { r.keyboard.lighting.speed = 3; });
    ASSERT_TRUE(keyboardPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_EQ(rig.pacer.pauses, std::vector<int>{21});
    ASSERT_EQ(rig.keyboard.frames.size(), 1u);
    EXPECT_EQ(rig.keyboard.frames[0].size(), 378u);
    EXPECT_EQ(rig.engine.frameTick.load(), 1);
}

TEST(KeyboardPass, UnpluggedKeyboardCallsNoGeneratorAndKeepsTheTick) {
    EffectRig rig;
    rig.select(3);
    rig.keyboard.isConnected = false;
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(keyboardPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_TRUE(rig.keyboard.frames.empty());
    EXPECT_EQ(rig.engine.frameTick.load(), 0);
    EXPECT_EQ(rig.scratch().phase, 0);  // the generator never ran
    EXPECT_EQ(rig.pacer.linkWaits, 5);  // each pass ends waiting for the keyboard
}

TEST(DevicePasses, ASynchronisedDeviceWaitsUntilItIsHandedBack) {
    EffectRig rig;
    rig.select(3);
    rig.keyboard.isSynced = true;
    rig.mouse.isConnected = true;
    rig.mouse.isSynced = true;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(keyboardPass(rig.engine, rig.channels, rig.pacer));
        ASSERT_TRUE(mousePass(rig.engine, rig.channels, rig.pacer));
    }
    EXPECT_EQ(rig.pacer.linkWaits, 8);
    EXPECT_TRUE(rig.keyboard.frames.empty());
    EXPECT_TRUE(rig.mouse.frames.empty());
    EXPECT_EQ(rig.engine.frameTick.load(), 0);  // the hue seed rests meanwhile

    rig.keyboard.isSynced = false;
    ASSERT_TRUE(keyboardPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_EQ(rig.keyboard.frames.size(), 1u);
    EXPECT_EQ(rig.engine.frameTick.load(), 1);
}

TEST(KeyboardPass, SuspendSilencesOnlyEffectsThatHonourIt) {
    EffectRig rig;
    rig.engine.outputEnabled = false;
    rig.select(3);
    ASSERT_TRUE(keyboardPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_TRUE(rig.keyboard.frames.empty());
    rig.select(13);  // rings send during suspend too
    ASSERT_TRUE(keyboardPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_EQ(rig.keyboard.frames.size(), 1u);
    rig.engine.outputEnabled = true;
    rig.select(3);
    ASSERT_TRUE(keyboardPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_EQ(rig.keyboard.frames.size(), 2u);
}

TEST(KeyboardPass, RippleTakesItsExtraPauseAndUnknownModesSendNothing) {
    EffectRig rig;
    rig.select(5);
    ASSERT_TRUE(keyboardPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_EQ(rig.pacer.pauses, (std::vector<int>{9, 40}));
    rig.pacer.pauses.clear();
    rig.select(40);
    ASSERT_TRUE(keyboardPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_EQ(rig.pacer.pauses, std::vector<int>{kUntimedPauseMs});
    EXPECT_EQ(rig.keyboard.frames.size(), 1u);
}

TEST(KeyboardPass, AModeSelectedInAnotherVariantsViewIsServedByTheRunningThread) {
    EffectRig rig;
    rig.identity.keyboardVariant = link::KeyboardVariant::oneColour;
    rig.scratch().keyLevel[5] = 99;
    rig.engine.requestModeSelection(LightingKind::rgbKeyboard, 0);
    rig.engine.settings.edit([](LightingRecords& r) { r.keyboard.lighting.mode = 40; });
    ASSERT_TRUE(keyboardPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_EQ(rig.scratch().keyLevel[5], 0);  // the reset ran on the one-colour pass
}

TEST(KeyboardPass, StopDuringThePauseEndsThePassWithoutAGeneratorCall) {
    EffectRig rig;
    rig.select(3);
    rig.pacer.stopAfterPause = true;
    EXPECT_FALSE(keyboardPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_TRUE(rig.keyboard.frames.empty());
}

TEST(PointerPasses, MouseMode8RestsTwoHundredMillisecondsAndSendsNothing) {
    EffectRig rig;
    rig.mouse.isConnected = true;
    rig.engine.settings.edit([](LightingRecords& r) { r.mouse.lighting.mode = 8; });
    ASSERT_TRUE(mousePass(rig.engine, rig.channels, rig.pacer));
    EXPECT_EQ(rig.pacer.total(), 9 + 200);
    EXPECT_TRUE(rig.mouse.frames.empty());
    EXPECT_EQ(rig.engine.frameTick.load(), 0);
}

TEST(PointerPasses, Mode9WithoutATimingRowRestsLikeMode8) {
    EffectRig rig;
    rig.mouse.isConnected = true;
    rig.mousepad.isConnected = true;
    rig.engine.settings.edit([](LightingRecords& r) {
        r.mouse.lighting.mode = 9;
        r.mousepad.lighting.mode = 9;
    });
    ASSERT_TRUE(mousePass(rig.engine, rig.channels, rig.pacer));
    ASSERT_TRUE(mousepadPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_EQ(rig.pacer.pauses, (std::vector<int>{200, 200}));
    EXPECT_TRUE(rig.mouse.frames.empty());
    EXPECT_TRUE(rig.mousepad.frames.empty());
}

TEST(SyncPass, WaitsForALinkChangeWhileNoAttachedDeviceIsSynchronised) {
    EffectRig rig;
    rig.engine.settings.edit([](LightingRecords& r) { r.sync.speed = 0; });
    rig.keyboard.isConnected = false;
    ASSERT_TRUE(syncPass(rig.engine, rig.channels, rig.pacer));  // nothing attached
    rig.keyboard.isConnected = true;
    ASSERT_TRUE(syncPass(rig.engine, rig.channels, rig.pacer));  // attached, not synchronised
    rig.mouse.isSynced = true;
    ASSERT_TRUE(syncPass(rig.engine, rig.channels, rig.pacer));  // synchronised, not attached
    EXPECT_EQ(rig.pacer.linkWaits, 3);
    EXPECT_TRUE(rig.keyboard.frames.empty());
    EXPECT_TRUE(rig.mouse.frames.empty());

    rig.mouse.isConnected = true;
    ASSERT_TRUE(syncPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_EQ(rig.pacer.linkWaits, 3);
    EXPECT_EQ(rig.mouse.frames.size(), 1u);
}

TEST(SyncPass, TheOneColourKeyboardKeepsItsOwnEffectWhateverItsFlag) {
    EffectRig rig;
    rig.identity.keyboardVariant = link::KeyboardVariant::oneColour;
    rig.keyboard.isSynced = true;
    rig.engine.settings.edit([](LightingRecords& r) { r.keyboard.lighting.mode = 0; });
    ASSERT_TRUE(syncPass(rig.engine, rig.channels, rig.pacer));
    EXPECT_EQ(rig.pacer.linkWaits, 1);
    EXPECT_TRUE(rig.keyboard.frames.empty());
    ASSERT_TRUE(keyboardPass(rig.engine, rig.channels, rig.pacer));
    ASSERT_EQ(rig.keyboard.frames.size(), 1u);
    EXPECT_EQ(rig.keyboard.frames[0].size(), 126u);
}

// A fake device that counts frames from any thread.
class CountingChannel final : public DeviceChannel {
  public:
    bool connected() const override { return true; }
    bool syncLighting() const override { return false; }
    void sendFrame(std::span<const std::uint8_t>) override { frames.fetch_add(1); }
    std::atomic<int> frames{0};
};

TEST(LightingThreads, RunFramesAndStopWithinAPass) {
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
    engine.settings.edit(
        [](LightingRecords& r) { r.keyboard.lighting = {3, 14, 14, 1, 0, 1, 2, 3}; });
    CountingChannel keyboard;
    CountingChannel mouse;
    CountingChannel mousepad;
    shell::WorkerSet threads;
    setLightingBodies(threads, engine, {keyboard, mouse, mousepad}, nullptr, {0, 0, 0, 0});
    threads.start();
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (keyboard.frames.load() < 3 && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GE(keyboard.frames.load(), 3);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(threads.stop().stillRunning, 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
}

// A device whose flags the test sets from outside; counts every look at them.
class WatchedChannel final : public DeviceChannel {
  public:
    bool connected() const override {
        looks.fetch_add(1);
        return attached.load();
    }
    bool syncLighting() const override { return synced.load(); }
    void sendFrame(std::span<const std::uint8_t>) override { frames.fetch_add(1); }
    std::atomic<bool> attached{false};
    std::atomic<bool> synced{false};
    mutable std::atomic<int> looks{0};
    std::atomic<int> frames{0};
};

bool eventually(const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!done() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return done();
}

TEST(LightingThreads, IdleThreadsBlockUntilADeviceArrivesOrSynchronisationStarts) {
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
    engine.settings.edit([](LightingRecords& r) {
        r.sync = {3, 14, 0, 1, 0, 1, 2, 3};  // speed 0: the thread's own pause is none
        r.mouse.lighting = {0, 14, 0, 1, 0, 1, 2, 3};
    });
    WatchedChannel keyboard;
    WatchedChannel mouse;
    WatchedChannel mousepad;
    const LightingChannels channels{keyboard, mouse, mousepad};
    link::FlagWatch watch;
    std::array<link::StopSignal, 4> stops;
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        threads.emplace_back([&, i] {
            runLightingThread(engine, channels, stops[i], static_cast<LightingThread>(i), 0,
                              &watch);
        });
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    // One look per thread at most: each pass found nothing to drive and waits.
    EXPECT_LE(keyboard.looks.load(), 2);
    EXPECT_LE(mouse.looks.load(), 3);
    EXPECT_LE(mousepad.looks.load(), 3);

    keyboard.attached = true;  // attached, nothing synchronised: the sync thread still waits
    watch.announce();
    EXPECT_TRUE(eventually([&] { return keyboard.frames.load() > 0; }));
    const int looksBefore = mouse.looks.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_LE(mouse.looks.load() - looksBefore, 4);

    mouse.attached = true;
    mouse.synced = true;
    watch.announce();
    EXPECT_TRUE(eventually([&] { return mouse.frames.load() > 2; }));

    const auto before = std::chrono::steady_clock::now();
    for (link::StopSignal& s : stops)
        s.request();
    for (std::thread& t : threads)
        t.join();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
}

TEST(LightingThreads, StopDuringTheStartDelayIsNotLost) {
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
    CountingChannel keyboard;
    CountingChannel mouse;
    CountingChannel mousepad;
    shell::WorkerSet threads;
    setLightingBodies(threads, engine, {keyboard, mouse, mousepad});
    threads.start();  // 1 s and 3 s start delays
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(threads.stop().stillRunning, 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
    EXPECT_EQ(keyboard.frames.load(), 0);
}

}  // namespace
}  // namespace quillon::lighting
