// Synchronised lighting: starting it from a same-mode button, and the four
// effects over whichever devices take part.

#include "lighting/sync_effects.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>

#include "effect_rig.h"
#include "lighting/key_layout_tables.h"
#include "lighting/lighting_view.h"
#include "lighting/membrane_tables.h"
#include "lighting/mouse_tables.h"
#include "lighting/sync_start.h"
#include "skin/memory_skin.h"

namespace quillon::lighting {
namespace {

using link::DeviceKind;
using test::EffectRig;
using test::ledAt;

class RecordingViews final : public SyncStartViews {
  public:
    void refreshView(DeviceKind kind) override { refreshed.push_back(kind); }
    void saveProfile(DeviceKind kind) override { saved.push_back(kind); }
    std::vector<DeviceKind> refreshed;
    std::vector<DeviceKind> saved;
};

struct SyncStartFixture {
    SyncStartFixture() {
        settings.edit([](LightingRecords& r) {
            r.keyboard.lighting = LightingRecord{2, 9, 3, 1, 1, 10, 20, 30};
            r.mouse.lighting = LightingRecord{0, 14, 0, 0, 0, 1, 2, 3};
            r.mousepad.lighting = LightingRecord{3, 5, 5, 0, 0, 4, 5, 6};
        });
    }
    void press(std::string_view button) {
        const auto source = syncButtonSource(button);
        ASSERT_TRUE(source.has_value());
        startSynchronisation(*source, settings, SyncLinkFlags{kbFlag, msFlag, mpFlag}, views);
    }
    LightingSettings settings;
    std::atomic<int> kbFlag{0}, msFlag{0}, mpFlag{0};
    RecordingViews views;
};

TEST(SyncStart, KeyboardButtonWithOnlyTheKeyboardSetsAllThreeFlags) {
    SyncStartFixture f;
    const LightingRecord keyboard = f.settings.keyboardLighting();
    f.press("kb_deng_same_mode");
    EXPECT_EQ(f.kbFlag, 1);
    EXPECT_EQ(f.msFlag, 1);
    EXPECT_EQ(f.mpFlag, 1);
    const LightingRecords r = f.settings.snapshot();
    EXPECT_EQ(r.keyboard.lighting, keyboard);
    EXPECT_EQ(r.mouse.lighting, keyboard);
    EXPECT_EQ(r.mousepad.lighting, keyboard);
    EXPECT_EQ(r.sync, keyboard);
    EXPECT_EQ(f.views.refreshed,
              (std::vector<DeviceKind>{DeviceKind::mouse, DeviceKind::mousepad}));
    EXPECT_EQ(f.views.saved, (std::vector<DeviceKind>{DeviceKind::mouse, DeviceKind::mousepad}));
}

TEST(SyncStart, MouseAndMousepadButtonsCopyTheirOwnRecord) {
    SyncStartFixture f;
    const LightingRecord mouse = f.settings.mouseLighting();
    f.press("ms_deng_same_mode");
    EXPECT_EQ(f.settings.keyboardLighting(), mouse);
    EXPECT_EQ(f.settings.mousepadLighting(), mouse);
    EXPECT_EQ(f.views.refreshed,
              (std::vector<DeviceKind>{DeviceKind::mousepad, DeviceKind::keyboard}));

    SyncStartFixture g;
    const LightingRecord pad = g.settings.mousepadLighting();
    g.press("mp_deng_same_mode");
    EXPECT_EQ(g.settings.keyboardLighting(), pad);
    EXPECT_EQ(g.settings.mouseLighting(), pad);
    EXPECT_EQ(g.settings.syncLighting(), pad);
    EXPECT_EQ(g.views.saved, (std::vector<DeviceKind>{DeviceKind::mouse, DeviceKind::keyboard}));
    EXPECT_FALSE(syncButtonSource("kb_deng_same_mode_1").has_value());
}

TEST(SyncStart, PressingTheKeyboardsButtonInItsViewSynchronisesEveryDevice) {
    skin::MemorySkin skin;
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
    std::atomic<int> kb{0}, ms{0}, mp{0};
    std::vector<DeviceKind> saved;
    LightingView view(skin, engine, SyncFlags{kb, ms, mp},
                      [&](DeviceKind k) { saved.push_back(k); });
    shell::NotificationRouter router;
    view.install(router);
    skin.setNotificationSink([&](const skin::Notification& n) { (void)router.route(n); });
    for (const char* combo :
         {"kb_deng_combo_modeSelect", "ms_deng_combo_modeSelect", "mp_deng_combo_modeSelect"}) {
        for (int i = 0; i < 16; ++i)
            skin.at(combo).addRow(skin::Row::text("m"));
    }
    engine.settings.edit(
        [](LightingRecords& r) { r.keyboard.lighting = LightingRecord{3, 12, 4, 1, 1, 9, 8, 7}; });
    skin.userClick("kb_deng_same_mode");
    EXPECT_EQ(kb + ms + mp, 3);
    EXPECT_EQ(saved, (std::vector<DeviceKind>{DeviceKind::mouse, DeviceKind::mousepad}));
    EXPECT_EQ(engine.settings.mousepadLighting().mode, 3);
    EXPECT_EQ(skin.at("ms_deng_combo_modeSelect").currentRow(), 3);  // the mouse view shows it
}

TEST(SyncStart, TheMousepadsButtonLeavesAOneColourKeyboardAlone) {
    skin::MemorySkin skin;
    link::DeviceIdentity identity;
    identity.keyboardVariant = link::KeyboardVariant::oneColour;
    LightingEngine engine{identity};
    std::atomic<int> kb{0}, ms{0}, mp{0};
    link::FlagWatch watch;
    const std::size_t waiter = watch.subscribe();
    std::vector<DeviceKind> saved;
    LightingView view(skin, engine, SyncFlags{kb, ms, mp, &watch},
                      [&](DeviceKind k) { saved.push_back(k); });
    shell::NotificationRouter router;
    view.install(router);
    skin.setNotificationSink([&](const skin::Notification& n) { (void)router.route(n); });
    const LightingRecord oneColour{6, 14, 2, 1, 0, 36, 0, 255};
    engine.settings.edit([&](LightingRecords& r) {
        r.keyboard.lighting = oneColour;
        r.mousepad.lighting = LightingRecord{1, 9, 4, 0, 1, 7, 8, 9};
    });
    skin.userClick("mp_deng_same_mode");
    EXPECT_EQ(engine.settings.keyboardLighting(), oneColour);
    EXPECT_EQ(kb, 0);
    EXPECT_EQ(ms + mp, 2);
    EXPECT_EQ(saved, std::vector<DeviceKind>{DeviceKind::mouse});
    EXPECT_EQ(engine.settings.mouseLighting(), engine.settings.mousepadLighting());
    // The waiting lighting threads hear of the start, and of a device handed back.
    pollfd p{watch.fd(waiter), POLLIN, 0};
    EXPECT_EQ(::poll(&p, 1, 0), 1);
    watch.consume(waiter);
    EXPECT_EQ(::poll(&p, 1, 0), 0);
    skin.userSlide("ms_deng_light_slider", 3, false);
    EXPECT_EQ(ms, 0);
    EXPECT_EQ(::poll(&p, 1, 0), 1);
}

struct SyncRig : EffectRig {
    SyncRig(bool kb, bool ms, bool mp, std::uint8_t variant = 0) {
        keyboard.isSynced = kb;
        mouse.isSynced = ms;
        mousepad.isSynced = mp;
        mouse.isConnected = mousepad.isConnected = true;
        identity.keyboardVariant = link::keyboardVariantOf(variant);
    }
    void choose(std::uint8_t mode, std::uint8_t multi = 1, std::uint8_t brightness = 14) {
        engine.settings.edit([&](LightingRecords& r) {
            r.sync = LightingRecord{mode, brightness, 0, 1, multi, 200, 100, 50};
        });
    }
    void tick() { (void)tickKind(LightingKind::sync); }
};

TEST(SyncEffects, WavePutsFifteenColumnsOnTheMousepadAndSevenOnTheMouseGroups) {
    SyncRig rig(true, true, true);
    rig.choose(2, 1);
    rig.tick();  // phase 1: column c has hue 1 + 7c
    ASSERT_EQ(rig.mousepad.frames.size(), 1u);
    ASSERT_EQ(rig.mouse.frames.size(), 1u);
    const auto& pad = rig.mousepad.frames.back();
    const auto& mouse = rig.mouse.frames.back();
    ASSERT_EQ(pad.size(), 45u);
    ASSERT_EQ(mouse.size(), 60u);
    for (std::size_t c = 0; c < 15; ++c)
        EXPECT_EQ(ledAt(pad, c), ColourWheel[1 + 7 * c]) << c;
    for (std::size_t g = 0; g < 7; ++g) {
        for (std::uint8_t led : MouseLedGroups[g])
            EXPECT_EQ(ledAt(mouse, led), ColourWheel[1 + 7 * g]) << g;
    }
    const auto& kb = rig.keyboard.frames.back();
    ASSERT_EQ(kb.size(), 378u);
    EXPECT_EQ(ledAt(kb, LedIndexTable[105]), ColourWheel[1]);  // column 0
    EXPECT_EQ(ledAt(kb, LedIndexTable[20]), ColourWheel[1 + 7 * 22]);
    EXPECT_EQ(rig.engine.effectState().sync.phase, 2);  // stepped again for the regions
}

TEST(SyncEffects, SingleColourWaveScalesByEnvelopePlusOne) {
    SyncRig rig(false, false, true);
    rig.choose(2, 0);
    rig.tick();  // phase 1; LED c: w = 1 + 10c
    const auto& pad = rig.mousepad.frames.back();
    for (std::size_t c : {0u, 3u, 14u}) {
        const unsigned e = WaveEnvelope[(1 + 10 * c) % 96] + 1u;
        EXPECT_EQ(pad[3 * c], ((200u * 256u) >> 8) * e >> 8) << c;
    }
}

TEST(SyncEffects, AMembraneKeyboardOnlyEverGetsRegionFrames) {
    for (std::uint8_t mode = 0; mode < 4; ++mode) {
        SyncRig rig(true, false, false, 2);
        rig.choose(mode, 0);
        for (int t = 0; t < 5; ++t)
            rig.tick();
        ASSERT_EQ(rig.keyboard.frames.size(), 5u) << "mode " << int(mode);
        for (const auto& f : rig.keyboard.frames)
            EXPECT_EQ(f.size(), kMembraneFrameBytes);
    }
    SyncRig rig(true, false, false, 2);
    rig.choose(0, 0);
    rig.tick();
    const auto& f = rig.keyboard.frames.back();
    EXPECT_EQ(f[0], 100);  // green first: 100 * 256 >> 8
    EXPECT_EQ(f[1], 200);
}

TEST(SyncEffects, TheOneColourKeyboardTakesNoPart) {
    SyncRig rig(true, true, false, 1);
    rig.choose(3);
    rig.tick();
    EXPECT_TRUE(rig.keyboard.frames.empty());
    EXPECT_EQ(rig.mouse.frames.size(), 1u);
    EXPECT_EQ(rig.pacer.pauses, (std::vector<int>{9, 1}));  // its stand-in pause, the mousepad's
}

TEST(SyncEffects, DevicesThatDoNotTakePartCostShortSleeps) {
    SyncRig rig(true, false, false);
    rig.choose(0, 0);
    rig.tick();
    EXPECT_EQ(rig.keyboard.frames.size(), 1u);
    EXPECT_TRUE(rig.mouse.frames.empty());
    EXPECT_TRUE(rig.mousepad.frames.empty());
    EXPECT_EQ(rig.pacer.pauses, (std::vector<int>{1, 1, 5}));

    SyncRig pointers(false, true, true);
    pointers.choose(1);
    pointers.tick();
    EXPECT_EQ(pointers.pacer.pauses, (std::vector<int>{8}));
    pointers.choose(2);
    pointers.tick();
    EXPECT_EQ(pointers.pacer.pauses.back(), 6);
}

TEST(SyncEffects, FlaggedDevicesThatAreNotAttachedAreSkippedUntilTheyArrive) {
    SyncRig rig(true, true, true);
    rig.mouse.isConnected = false;
    rig.mousepad.isConnected = false;
    rig.choose(0, 0);
    rig.tick();
    EXPECT_EQ(rig.keyboard.frames.size(), 1u);
    EXPECT_TRUE(rig.mouse.frames.empty());
    EXPECT_TRUE(rig.mousepad.frames.empty());
    EXPECT_EQ(rig.pacer.pauses, (std::vector<int>{1, 1, 5}));
    rig.mouse.isConnected = true;
    rig.tick();
    EXPECT_EQ(rig.mouse.frames.size(), 1u);
}

TEST(SyncEffects, StaticLightsEveryLedOfEveryDevice) {
    SyncRig rig(true, true, true);
    rig.choose(0, 0, 1);  // scale 30: factor 31
    rig.tick();
    const Rgb expected{200 * 31 >> 8, 100 * 31 >> 8, 50 * 31 >> 8};
    const auto& kb = rig.keyboard.frames.back();
    for (std::size_t n = 0; n < 126; ++n)
        ASSERT_EQ(ledAt(kb, n), expected) << n;
    for (std::size_t n = 0; n < 20; ++n)
        ASSERT_EQ(ledAt(rig.mouse.frames.back(), n), expected) << n;
    for (std::size_t n = 0; n < 15; ++n)
        ASSERT_EQ(ledAt(rig.mousepad.frames.back(), n), expected) << n;
    EXPECT_EQ(rig.engine.mirrors.mouse.cell(19),
              (MirrorCell{packChangerColour({200, 100, 50}), 30}));
}

TEST(SyncEffects, NothingIsSentWhileSuspending) {
    SyncRig rig(true, true, true);
    rig.engine.outputEnabled = false;
    rig.choose(3);
    rig.tick();
    EXPECT_TRUE(rig.keyboard.frames.empty());
    EXPECT_TRUE(rig.mouse.frames.empty());
    EXPECT_TRUE(rig.mousepad.frames.empty());
    EXPECT_EQ(rig.engine.mirrors.mousepad.cell(0).colour, packChangerColour(ColourWheel[1]));
}

TEST(SyncEffects, ParticipantsFollowFlagsAndVariant) {
    EXPECT_FALSE(syncParticipants(true, link::KeyboardVariant::oneColour, false, false).keyboard);
    EXPECT_TRUE(
        syncParticipants(true, link::KeyboardVariant::membrane, false, false).membraneKeyboard);
    EXPECT_FALSE(
        syncParticipants(false, link::KeyboardVariant::membrane, false, false).membraneKeyboard);
    EXPECT_TRUE(syncParticipants(false, link::KeyboardVariant::rgb, true, true).mousepad);
}

TEST(SyncRender, EachLineHoldsTheThreeFramesOfOneTick) {
    for (const auto& [keyboard, kbChars] : {std::pair<std::string, std::size_t>{"rgb", 756},
                                            std::pair<std::string, std::size_t>{"membrane", 72}}) {
        const std::string out = test::renderDevice(
            "sync", 2, 1, 1, 3, {{}, keyboard == "rgb" ? std::uint8_t(0) : std::uint8_t(2)});
        std::istringstream lines(out);
        std::string line;
        int n = 0;
        while (std::getline(lines, line)) {
            ++n;
            const auto first = line.find(' ');
            const auto second = line.find(' ', first + 1);
            ASSERT_NE(second, std::string::npos);
            EXPECT_EQ(first, kbChars);
            EXPECT_EQ(second - first - 1, 120u);       // the mouse's 60 bytes
            EXPECT_EQ(line.size() - second - 1, 90u);  // the mousepad's 45
        }
        EXPECT_EQ(n, 3);
    }
}

TEST(SyncEffects, SpectrumFirstTickWorkedOutByHand) {
    SyncRig rig(true, true, true);
    rig.choose(3);
    rig.tick();  // phase 1: (255, 3, 0), factor 256
    EXPECT_EQ(ledAt(rig.keyboard.frames.back(), 125), (Rgb{255, 3, 0}));
    EXPECT_EQ(ledAt(rig.mouse.frames.back(), 19), (Rgb{255, 3, 0}));
    EXPECT_EQ(ledAt(rig.mousepad.frames.back(), 14), (Rgb{255, 3, 0}));
}

// Every mode through the effect renderer (brightness 10, colour c86432, seed 7).
const test::DeviceGolden kSyncGolden[] = {
#include "sync_golden_frames.inc"
};

TEST(SyncGolden, EveryModeRendersItsRecordedFrames) {
    std::vector<test::DeviceGolden> rows;
    for (const char* keyboard : {"rgb", "membrane"}) {
        for (int mode = 0; mode < 5; ++mode) {
            const std::uint8_t variant = std::string_view(keyboard) == "rgb" ? 0 : 2;
            test::DeviceGolden g = test::renderGolden("sync", mode, {{}, variant});
            g.device += std::string("/") + keyboard;
            rows.push_back(g);
        }
    }
    if (test::writeGoldenIfAsked("sync_golden_frames.inc", rows))
        GTEST_SKIP() << "golden frames written";
    test::expectGolden(rows, kSyncGolden);
}

}  // namespace
}  // namespace quillon::lighting
