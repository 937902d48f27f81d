// Mousepad: the U of 15 LEDs, frame lengths, bar, sweep, column wave and
// click flash.

#include "lighting/mousepad_effects.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "effect_rig.h"
#include "lighting/mousepad_tables.h"

namespace quillon::lighting {
namespace {

using test::EffectRig;
using test::ledAt;
constexpr auto kPad = LightingKind::mousepad;

struct PadRig : EffectRig {
    void choose(std::uint8_t mode, std::uint8_t direction = 1, std::uint8_t multi = 0) {
        selectKind(kPad, LightingRecord{mode, 14, 0, direction, multi, 200, 100, 50});
    }
    std::vector<std::uint8_t> tick() { return tickKind(kPad); }
};

int litLeds(const std::vector<std::uint8_t>& frame) {
    int n = 0;
    for (std::size_t i = 0; i < kMousepadLedCount; ++i)
        n += ledAt(frame, i) != Rgb{};
    return n;
}

TEST(MousepadTables, ColumnsCoverTheUOnce) {
    std::array<int, kMousepadLedCount> seen{};
    for (const auto& column : MousepadColumns) {
        for (std::uint8_t led : column) {
            if (led != kNoPadLed)
                ++seen[led];
        }
    }
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; }));
    EXPECT_EQ(MousepadColumns[6], (std::array<std::uint8_t, 5>{14, 13, 12, 11, 10}));
    EXPECT_EQ(MousepadColumns[3][0], 7);
}

TEST(MousepadEffects, FrameLengthsByModeAndSentEvenWhileSuspending) {
    const std::array<std::size_t, 9> lengths{45, 45, 60, 60, 45, 45, 45, 0, 60};
    for (std::uint8_t mode = 0; mode < 9; ++mode) {
        PadRig rig;
        rig.engine.outputEnabled = false;
        rig.choose(mode);
        EXPECT_EQ(rig.tick().size(), lengths[mode]) << "mode " << int(mode);
    }
    PadRig rig;
    rig.choose(3);
    const auto frame = rig.tick();
    EXPECT_EQ(ledAt(frame, 14), (Rgb{200, 100, 50}));
    EXPECT_TRUE(
        std::all_of(frame.begin() + 45, frame.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(MousepadEffects, BarWithSecondDirectionGrowsShrinksAndStaysDarkForThreeTicks) {
    PadRig rig;
    rig.choose(4, 0);
    std::vector<int> lit;
    for (int t = 0; t < 34; ++t)
        lit.push_back(litLeds(rig.tick()));
    std::vector<int> expected;
    for (int c = 0; c <= 15; ++c)
        expected.push_back(c);
    for (int c = 14; c >= 0; --c)
        expected.push_back(c);
    expected.push_back(0);  // c = -1
    expected.push_back(0);  // c = 0
    expected.push_back(1);
    EXPECT_EQ(lit, expected);
    EXPECT_EQ(rig.pacer.pauses.front(), 100);  // 10 * speed + 100 at speed 0
}

TEST(MousepadEffects, BarColoursByLedIndexWithMultiColour) {
    PadRig rig;
    rig.choose(4, 1, 1);  // direction 1 from c = 0: LEDs 1..14 lit
    const auto frame = rig.tick();
    EXPECT_EQ(ledAt(frame, 0), (Rgb{}));
    EXPECT_EQ(ledAt(frame, 1), ColourWheel[7]);
    EXPECT_EQ(ledAt(frame, 14), ColourWheel[98]);
}

TEST(MousepadEffects, SweepSendsNothingOnItsTwoOneSecondPauses) {
    PadRig rig;
    rig.choose(7, 1, 1);
    std::vector<bool> sent;
    std::vector<int> litColumns0;
    for (int t = 0; t < 32; ++t) {
        const std::size_t pausesBefore = rig.pacer.pauses.size();
        const auto frame = rig.tick();
        sent.push_back(!frame.empty());
        const bool paused = std::find(rig.pacer.pauses.begin() + static_cast<long>(pausesBefore),
                                      rig.pacer.pauses.end(), 1000) != rig.pacer.pauses.end();
        EXPECT_EQ(paused, frame.empty()) << "tick " << t;
        if (!frame.empty())
            litColumns0.push_back(ledAt(frame, 0) != Rgb{});
    }
    // Tick 0 pauses, 14 frames go left to right, tick 15 pauses, 15 come back, tick 31 pauses.
    std::vector<bool> expected(32, true);
    expected[0] = expected[15] = expected[31] = false;
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(litColumns0.front(), 1);  // the block enters at the left edge
}

TEST(MousepadEffects, SweepComesBackFromTheRight) {
    PadRig rig;
    rig.choose(7, 1, 0);
    for (int t = 0; t < 16; ++t)
        (void)rig.tick();
    std::vector<std::uint8_t> frame;
    do {
        frame = rig.tick();
    } while (litLeds(frame) == 0);
    EXPECT_NE(ledAt(frame, 10), (Rgb{}));  // column 6 first
    EXPECT_EQ(ledAt(frame, 9), (Rgb{}));
}

TEST(MousepadEffects, ColumnWaveLightsEachColumnInOneHue) {
    PadRig rig;
    rig.choose(6, 1);
    const auto frame = rig.tick();  // phase 1
    for (std::uint8_t led : {0, 1, 2, 3, 4})
        EXPECT_EQ(ledAt(frame, led), ColourWheel[1]);
    EXPECT_EQ(ledAt(frame, 5), ColourWheel[8]);
    for (std::uint8_t led : {10, 11, 12, 13, 14})
        EXPECT_EQ(ledAt(frame, led), ColourWheel[43]);
}

TEST(MousepadEffects, BreathingAdvancesItsCounterInByteNine) {
    PadRig rig;
    rig.choose(2, 1, 1);
    for (int t = 0; t < 128; ++t)
        (void)rig.tick();
    EXPECT_EQ(rig.engine.settings.snapshot().mousepad.effectByte, 1);
    // Hue 50 ahead of the phase (0 now).
    EXPECT_EQ(rig.engine.mirrors.mousepad.cell(0).colour, packChangerColour(ColourWheel[50]));
}

TEST(MousepadEffects, RunningLightStartsAtPositionZero) {
    PadRig rig;
    rig.choose(5, 1);
    const auto frame = rig.tick();
    EXPECT_EQ(rig.pacer.pauses.front(), 50);
    EXPECT_NE(ledAt(frame, 0), (Rgb{}));
    EXPECT_EQ(litLeds(frame), 1);
}

TEST(MousepadEffects, ClickFlashUsesItsOwnPulse) {
    PadRig rig;
    rig.choose(8, 1, 0);
    rig.engine.signals.mouseClickPulse = true;  // the mouse's, not the mousepad's
    EXPECT_EQ(litLeds(rig.tick()), 0);
    rig.engine.signals.mousepadClickPulse = true;
    const auto frame = rig.tick();
    EXPECT_EQ(litLeds(frame), 15);
    EXPECT_EQ(frame.size(), 60u);
}

TEST(MousepadEffects, SingleColourWaveFirstTickWorkedOutByHand) {
    PadRig rig;
    rig.choose(0, 1, 0);
    const auto frame = rig.tick();  // phase 1: LED i at w = 1 + 10i, factor Wave[w] + 1
    EXPECT_EQ(frame[0], (200 * 25) >> 8);
    EXPECT_EQ(frame[3 * 1], (200 * (WaveEnvelope[11] + 1)) >> 8);
    EXPECT_EQ(rig.engine.mirrors.mousepad.cell(0).alpha, (255 * 24) >> 8);
}

// Every mode through "effect render" (brightness 10, colour c86432, seed 7).
const test::DeviceGolden kMousepadGolden[] = {
#include "mousepad_golden_frames.inc"
};

TEST(MousepadGolden, EveryModeRendersItsRecordedFrames) {
    std::vector<test::DeviceGolden> rows;
    for (int mode = 0; mode < 10; ++mode) {
        rows.push_back(test::renderGolden("mousepad", mode, {{2, 9}}));
    }
    if (test::writeGoldenIfAsked("mousepad_golden_frames.inc", rows))
        GTEST_SKIP() << "golden frames written";
    test::expectGolden(rows, kMousepadGolden);
}

}  // namespace
}  // namespace quillon::lighting
