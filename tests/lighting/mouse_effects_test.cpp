// Mouse: LED groups, the colour list, the gradient breathing, the running
// light, the click flash and the blink.

#include "lighting/mouse_effects.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "effect_rig.h"
#include "lighting/mouse_family_steps.h"
#include "lighting/mouse_tables.h"

namespace quillon::lighting {
namespace {

using test::EffectRig;
using test::ledAt;
constexpr auto kMouse = LightingKind::mouse;

struct MouseRig : EffectRig {
    void choose(std::uint8_t mode, std::uint8_t direction = 1, std::uint8_t multi = 0,
                std::uint8_t brightness = 14) {
        selectKind(kMouse, LightingRecord{mode, brightness, 0, direction, multi, 200, 100, 50});
    }
    std::vector<std::uint8_t> tick() { return tickKind(kMouse); }
    std::vector<std::uint8_t> tickAt(std::uint32_t ms) {
        pacer.clockMs = ms;
        return tick();
    }
};

TEST(MouseTables, GroupsAndColourList) {
    ASSERT_EQ(MouseLedGroups.size(), 7u);
    EXPECT_EQ(MouseLedGroups[0], (std::array<std::uint8_t, 3>{0, 7, 19}));
    EXPECT_EQ(MouseLedGroups[2], (std::array<std::uint8_t, 3>{2, 9, 9}));
    EXPECT_EQ(MouseLedGroups[6], (std::array<std::uint8_t, 3>{6, 13, 17}));
    ASSERT_EQ(MouseColourList.size(), 126u);
    EXPECT_EQ(MouseColourList[0], (Rgb{255, 255, 0}));
    EXPECT_EQ(MouseColourList[7], (Rgb{0, 0, 0}));
    EXPECT_EQ(MouseColourList[8], (Rgb{0, 255, 255}));
    EXPECT_EQ(MouseColourList[16], (Rgb{245, 0, 255}));
    EXPECT_EQ(MouseColourList[37], (Rgb{10, 10, 10}));
    EXPECT_EQ(MouseColourList[125], (Rgb{101, 0, 101}));
}

TEST(MouseEffects, StaticScalesByTheTableValuePlusOne) {
    MouseRig rig;
    rig.choose(0, 1, 0, 1);  // scale 30: factor 31
    const auto frame = rig.tick();
    ASSERT_EQ(frame.size(), 60u);
    for (std::size_t i = 0; i < kMouseLedCount; ++i) {
        EXPECT_EQ(ledAt(frame, i), (Rgb{200 * 31 >> 8, 100 * 31 >> 8, 50 * 31 >> 8})) << i;
    }
    EXPECT_EQ(rig.engine.mirrors.mouse.cell(3),
              (MirrorCell{packChangerColour({200, 100, 50}), 30}));
}

TEST(MouseEffects, HiddenControlsAreNotDrawnButTheFrameIsComplete) {
    MouseRig rig;
    rig.engine.signals.mouseControlsVisible = 0x1;  // only control 0 shows
    rig.choose(0);
    const auto frame = rig.tick();
    EXPECT_EQ(rig.engine.mirrors.mouse.cell(0).alpha, 255);
    EXPECT_EQ(rig.engine.mirrors.mouse.cell(1), MirrorCell{});
    EXPECT_EQ(ledAt(frame, 19), (Rgb{200, 100, 50}));
}

TEST(MouseEffects, GradientBreathingChangesItsSetEvery128Ticks) {
    MouseRig rig;
    rig.choose(1, 1, 1);
    auto groupColour = [&](std::size_t g) {
        return rig.engine.mirrors.mouse.cell(MouseLedGroups[g][0]).colour;
    };
    const std::array<std::uint32_t, 4> sets{
        packChangerColour(MouseColourList[0]), packChangerColour(MouseColourList[8]),
        packChangerColour(MouseColourList[16]), packChangerColour(MouseColourList[0])};
    for (std::size_t set = 0; set < sets.size(); ++set) {
        for (int t = 0; t < 128; ++t) {
            (void)rig.tick();
            // Ticks 1..127 of a round show one set; the phase's wrap to 0 brings the next.
            const std::size_t expect = t == 127 ? set + 1 : set;
            if (expect < sets.size()) {
                ASSERT_EQ(groupColour(0), sets[expect]) << set << "/" << t;
            }
        }
    }
    EXPECT_EQ(packChangerColour(MouseColourList[9]), packChangerColour({0, 200, 255}));
    // The counter lives in MouseState byte 9.
    EXPECT_EQ(rig.engine.settings.snapshot().mouse.effectByte, 1);
}

TEST(MouseEffects, GradientBreathingDownwardsAdvancesOnlyWhenReachingZero) {
    MouseRig rig;
    rig.choose(1, 0, 1);
    (void)rig.tick();  // 0 -> 127: no new set
    EXPECT_EQ(rig.engine.settings.snapshot().mouse.effectByte, 0);
    for (int t = 0; t < 127; ++t)
        (void)rig.tick();  // down to 0
    EXPECT_EQ(rig.engine.settings.snapshot().mouse.effectByte, 1);
}

TEST(MouseEffects, AColourSetCounterAboveTwoCountsAsZero) {
    MouseRig rig;
    rig.engine.settings.edit([](LightingRecords& r) { r.mouse.effectByte = 9; });
    rig.choose(1, 1, 1);
    (void)rig.tick();
    EXPECT_EQ(rig.engine.mirrors.mouse.cell(0).colour, packChangerColour(MouseColourList[0]));
    EXPECT_EQ(rig.engine.mirrors.mouse.cell(6).colour, packChangerColour(MouseColourList[6]));
}

TEST(MouseEffects, LedNineTakesItsGroupsColourOnce) {
    MouseRig rig;
    rig.choose(2, 1, 1);
    const auto frame = rig.tick();  // phase 1: group g has hue 1 + 7g
    EXPECT_EQ(ledAt(frame, 9), ColourWheel[1 + 14]);
    EXPECT_EQ(ledAt(frame, 2), ColourWheel[1 + 14]);
    EXPECT_EQ(rig.engine.mirrors.mouse.cell(9).colour, packChangerColour(ColourWheel[15]));
    // No other group writes LED 9.
    for (std::size_t g = 0; g < kMouseGroupCount; ++g) {
        const auto& leds = MouseLedGroups[g];
        EXPECT_EQ(std::count(leds.begin(), leds.end(), 9) > 0, g == 2);
    }
}

TEST(MouseEffects, RunningLightStartsAtItsDirectionsLedAndTravels) {
    MouseRig rig;
    rig.choose(4, 0);  // direction 0: position 0
    auto frame = rig.tick();
    EXPECT_EQ(rig.pacer.pauses.front(), 50);
    // Group 0 at level 255 - 15 = 240, envelope first with 241, then full scale.
    const std::uint8_t v = static_cast<std::uint8_t>((200 * 241 >> 8) * 256 >> 8);
    EXPECT_EQ(frame[0], v);
    EXPECT_EQ(frame[3 * 7], v);
    EXPECT_EQ(ledAt(frame, 1), (Rgb{0, 0, 0}));
    frame = rig.tick();  // the trigger moved up one position
    EXPECT_NE(ledAt(frame, 1), (Rgb{0, 0, 0}));

    MouseRig other;
    other.choose(4, 1);  // direction 1: position 7, outside the seven groups
    frame = other.tick();
    EXPECT_TRUE(std::all_of(frame.begin(), frame.end(), [](std::uint8_t b) { return b == 0; }));
    frame = other.tick();  // moved down to position 6: the last group lights
    EXPECT_NE(ledAt(frame, 6), (Rgb{0, 0, 0}));
}

TEST(MouseEffects, OneClickFlashesForAboutAHundredMillisecondsAndTheNextMovesFourteenHues) {
    MouseRig rig;
    rig.choose(5, 1, 1);
    EXPECT_EQ(ledAt(rig.tickAt(0), 0), (Rgb{}));  // no click yet
    rig.engine.signals.mouseClickPulse = true;
    int lit = 0;
    for (std::uint32_t t = 1000; t <= 1200; t += 10) {
        const auto frame = rig.tickAt(t);
        ASSERT_EQ(frame.size(), 60u);
        if (ledAt(frame, 0) != Rgb{}) {
            ++lit;
            EXPECT_EQ(ledAt(frame, 14), ColourWheel[14]);
            EXPECT_EQ(ledAt(frame, 15), (Rgb{}));  // LEDs 15..19 stay dark
        }
    }
    EXPECT_EQ(lit, 11);  // 1000..1090, and 1100 when more than 99 ms have passed
    EXPECT_FALSE(rig.engine.signals.mouseClickPulse);
    rig.engine.signals.mouseClickPulse = true;
    EXPECT_EQ(ledAt(rig.tickAt(2000), 0), ColourWheel[28]);
}

TEST(MouseEffects, BlinkAlternatesThirtyByteFramesAfterTwoHundredMilliseconds) {
    MouseRig rig;
    rig.choose(6, 1, 1);
    auto frame = rig.tick();
    EXPECT_EQ(frame, std::vector<std::uint8_t>(30, 0));
    EXPECT_EQ(rig.pacer.pauses.back(), 200);
    frame = rig.tick();  // counter 2: colour list entry 2
    ASSERT_EQ(frame.size(), 30u);
    EXPECT_EQ(ledAt(frame, 9), MouseColourList[2]);
}

TEST(MouseEffects, ModesEightAndNineSendNothing) {
    for (std::uint8_t mode : {8, 9}) {
        MouseRig rig;
        rig.choose(mode);
        EXPECT_TRUE(rig.tick().empty());
    }
}

TEST(MouseFamilySteps, DecayAndTriggerRotation) {
    EXPECT_EQ(decayRunningLevel(255, kMouseRunningDecay), 240);
    EXPECT_EQ(decayRunningLevel(64, kMouseRunningDecay), 54);
    EXPECT_EQ(decayRunningLevel(16, kMouseRunningDecay), 15);
    EXPECT_EQ(decayRunningLevel(0, kMouseRunningDecay), 0);
    EXPECT_EQ(decayRunningLevel(128, kMousepadRunningDecay), 98);
    std::array<std::uint8_t, 23> ring{};
    ring[22] = 1;
    rotateTriggers(ring, 0);
    EXPECT_EQ(ring[0], 1);
    rotateTriggers(ring, 1);
    EXPECT_EQ(ring[22], 1);
}

TEST(MouseEffects, SpectrumFirstTickIsTheWheelsSecondHueEverywhere) {
    MouseRig rig;
    rig.choose(3, 1);
    const auto frame = rig.tick();
    for (std::size_t i = 0; i < kMouseLedCount; ++i)
        EXPECT_EQ(ledAt(frame, i), (Rgb{255, 3, 0})) << i;
}

TEST(MouseRender, ClickFlashRunsOnTheThreadsSimulatedClock) {
    // Speed 0: 9 ms per tick. The click before tick 2 lights ticks 2..14
    // (14 is the first more than 99 ms after it, still lit).
    const std::string out = test::renderDevice("mouse", 5, 1, 0, 20, {{2}});
    std::istringstream lines(out);
    std::string line;
    std::vector<int> lit;
    for (int tick = 0; std::getline(lines, line); ++tick) {
        if (line.find_first_not_of('0') != std::string::npos)
            lit.push_back(tick);
    }
    std::vector<int> expected;
    for (int t = 2; t <= 14; ++t)
        expected.push_back(t);
    EXPECT_EQ(lit, expected);
}

// Every mode through "effect render" (brightness 10, colour c86432, seed 7).
const test::DeviceGolden kMouseGolden[] = {
#include "mouse_golden_frames.inc"
};

TEST(MouseGolden, EveryModeRendersItsRecordedFrames) {
    std::vector<test::DeviceGolden> rows;
    for (int mode = 0; mode < 10; ++mode) {
        rows.push_back(test::renderGolden("mouse", mode, {{2, 9}}));
    }
    if (test::writeGoldenIfAsked("mouse_golden_frames.inc", rows))
        GTEST_SKIP() << "golden frames written";
    test::expectGolden(rows, kMouseGolden);
}

}  // namespace
}  // namespace quillon::lighting
