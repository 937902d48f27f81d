// One-colour keyboard: level frames, its tables and the modes that differ
// from the RGB keyboard.

#include "lighting/onecolour_effects.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "effect_rig.h"
#include "lighting/key_layout_tables.h"
#include "lighting/onecolour_tables.h"

namespace quillon::lighting {
namespace {

using test::EffectRig;
constexpr auto kOneColour = LightingKind::oneColourKeyboard;
constexpr std::uint32_t kBlueViolet = 0x0000FF24;  // packed changer colour of (36, 0, 255)

struct OneColourRig : EffectRig {
    OneColourRig() { identity.keyboardVariant = link::KeyboardVariant::oneColour; }
    void choose(std::uint8_t mode, std::uint8_t brightness = 14, std::uint8_t direction = 1) {
        selectKind(kOneColour, LightingRecord{mode, brightness, 0, direction, 0, 36, 0, 255});
    }
    std::vector<std::uint8_t> tick() { return tickKind(kOneColour); }
};

TEST(OneColourTables, LedIndexTableHoldsItsRunsAndHoles) {
    ASSERT_EQ(OneColourLedIndexTable.size(), 126u);
    EXPECT_EQ(OneColourLedIndexTable[15], 15);
    EXPECT_EQ(OneColourLedIndexTable[16], kNoKey);
    EXPECT_EQ(OneColourLedIndexTable[21], 18);
    EXPECT_EQ(OneColourLedIndexTable[38], 53);
    EXPECT_EQ(OneColourLedIndexTable[41], 89);
    EXPECT_EQ(OneColourLedIndexTable[84], 72);
    EXPECT_EQ(OneColourLedIndexTable[85], 74);
    EXPECT_EQ(OneColourLedIndexTable[119], 107);
    EXPECT_EQ(OneColourLedIndexTable[122], 122);
    EXPECT_EQ(OneColourLedIndexTable[125], 125);
}

TEST(OneColourTables, PathsSwapTheTopRightKeysForTheirOwn) {
    EXPECT_TRUE(std::equal(OneColourSnakePath.begin(), OneColourSnakePath.begin() + 4,
                           std::array<std::uint8_t, 4>{122, 123, 124, 125}.begin()));
    EXPECT_TRUE(std::equal(OneColourSnakePath.begin() + 4, OneColourSnakePath.end(),
                           SnakePath.begin() + 4));
    ASSERT_EQ(OneColourTrailPath.size(), 110u);
    EXPECT_EQ(OneColourTrailPath[16], 122);
    EXPECT_EQ(OneColourTrailPath[19], 125);
    EXPECT_EQ(OneColourTrailPath[20], 41);
    EXPECT_EQ(OneColourTrailPath[66], kNoKey);
}

TEST(OneColourTables, ColumnMatrixAndStarOrder) {
    ASSERT_EQ(OneColourColumnMatrix.size(), 23u * 6u);
    EXPECT_EQ(OneColourColumnMatrix[4], 84);  // column 0, row 4
    EXPECT_EQ(OneColourColumnMatrix[6 * 19], 122);
    EXPECT_EQ(OneColourColumnMatrix[6 * 22 + 3], 119);
    ASSERT_EQ(OneColourStarOrder.size(), 110u);
    EXPECT_EQ(OneColourStarOrder[0], 88);
    EXPECT_EQ(OneColourStarOrder[103], 63);
    for (std::size_t i = 104; i < 110; ++i)
        EXPECT_EQ(OneColourStarOrder[i], 0);
}

TEST(OneColourEffects, StaticAtFullBrightnessSends126BytesOf255) {
    OneColourRig rig;
    rig.choose(0, 14);
    const auto frame = rig.tick();
    ASSERT_EQ(frame.size(), 126u);
    EXPECT_TRUE(std::all_of(frame.begin(), frame.end(), [](std::uint8_t b) { return b == 255; }));
    EXPECT_EQ(rig.engine.mirrors.keyboard.cell(0), (MirrorCell{kBlueViolet, 255}));
}

TEST(OneColourEffects, CustomShowsColourOnlyForFullyLitKeysButSendsEveryLevel) {
    OneColourRig rig;
    rig.engine.settings.edit([](LightingRecords& r) {
        r.custom.current()[0] = 0xFF;  // control 0 -> LED 0
        r.custom.current()[1] = 0x80;  // control 1 -> LED 1
    });
    rig.choose(10, 14);
    const auto frame = rig.tick();
    ASSERT_EQ(frame.size(), 126u);
    EXPECT_EQ(frame[0], (255 * 255) >> 8);
    EXPECT_EQ(frame[1], (255 * 0x80) >> 8);
    EXPECT_EQ(frame[2], 0);
    EXPECT_EQ(rig.engine.mirrors.keyboard.cell(0), (MirrorCell{kBlueViolet, 255}));
    EXPECT_EQ(rig.engine.mirrors.keyboard.cell(1), (MirrorCell{0, 255}));
}

TEST(OneColourEffects, OffSendsDarkFrameAndKeepsAlpha) {
    OneColourRig rig;
    rig.choose(9, 7);
    const auto frame = rig.tick();
    EXPECT_TRUE(std::all_of(frame.begin(), frame.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(rig.engine.mirrors.keyboard.cell(50), (MirrorCell{0, 150}));
}

TEST(OneColourEffects, BreathingFollowsTheBreathEnvelopeOnlyOnLedsThatKeysDrive) {
    OneColourRig rig;
    rig.choose(1, 14);
    std::vector<std::uint8_t> frame;
    for (int i = 0; i < 64; ++i)
        frame = rig.tick();  // phase 64: the top of the breath
    EXPECT_EQ(frame[0], (255 * 255) >> 8);
    for (std::size_t led : {16, 17, 66, 73, 108, 121})
        EXPECT_EQ(frame[led], 0) << "LED " << led;
    frame = rig.tick();
    EXPECT_EQ(frame[77], (255 * BreathEnvelope[65]) >> 8);
}

TEST(OneColourEffects, WaveStepsSevenEnvelopeEntriesPerColumn) {
    OneColourRig rig;
    rig.choose(2, 14, 1);
    const auto frame = rig.tick();  // phase 1
    // Column 2 (w = 1 + 14) holds key 0 -> LED 0; column 0 holds key 105 -> LED 90.
    EXPECT_EQ(frame[0], (255 * WaveEnvelope[15]) >> 8);
    EXPECT_EQ(frame[90], (255 * WaveEnvelope[1]) >> 8);
}

TEST(OneColourEffects, SpiralAndPulseFieldSendEvenWhileSuspending) {
    for (std::uint8_t mode : {3, 8, 11}) {
        OneColourRig rig;
        rig.engine.outputEnabled = false;
        rig.choose(mode);
        EXPECT_EQ(rig.tick().size(), 126u) << "mode " << int(mode);
    }
    OneColourRig rig;
    rig.engine.outputEnabled = false;
    rig.choose(6);
    EXPECT_TRUE(rig.tick().empty());
}

TEST(OneColourEffects, TrailWalksItsPathAndPausesAtTheWrap) {
    OneColourRig rig;
    rig.choose(5, 14, 1);
    rig.scratch().trailPos = 16;
    auto frame = rig.tick();  // lights path entry 16: key 122 -> LED 122
    EXPECT_EQ(frame[122], (255 * (254 - 20)) >> 8);
    // The second direction starting past the path's end: a dark pause, no read past it.
    OneColourRig back;
    back.choose(5, 14, 0);
    back.scratch().trailPos = 110;
    frame = back.tick();
    EXPECT_TRUE(std::all_of(frame.begin(), frame.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(back.scratch().trailPos, 109);
}

TEST(OneColourEffects, StarlightTwinklesOnTheDeviceAndItsLastPositionsPickTheFirstPathKey) {
    OneColourRig rig;
    rig.choose(7, 14);
    rig.scratch().starPos = 103;
    auto frame = rig.tick();  // positions 104, 105, 106: all the first path key (122)
    EXPECT_EQ(rig.scratch().starPos, 106);
    EXPECT_EQ(frame[122], (255 * 235) >> 8);
    frame = rig.tick();  // positions 107..109 pick it again
    EXPECT_EQ(frame[122], (255 * 235) >> 8);
    frame = rig.tick();                       // positions 0..2 light other keys
    EXPECT_EQ(frame[122], (255 * 215) >> 8);  // the device follows the fading star
    EXPECT_EQ(rig.pacer.pauses.front(), 100);
    EXPECT_EQ(rig.engine.mirrors.keyboard.cell(122).alpha, (255 * 215) >> 8);
}

TEST(OneColourEffects, StarlightBusyByteMakesASecondCallSendNothing) {
    OneColourRig rig;
    rig.choose(7, 14);
    rig.engine.busyBytes().oneColourStarlight = true;
    EXPECT_TRUE(rig.tick().empty());
}

TEST(OneColourEffects, RainSeedingFollowsTheColumnMatrix) {
    KeyboardScratch s;
    seedOneColourMode(s, 6);
    // Column 0: row 0 gets 157, row 4 (key 84) 157 - 4 * 35 = 17, row 5 (key 105) 17 + 158.
    EXPECT_EQ(s.keyPhase[84], 17);
    EXPECT_EQ(s.keyPhase[105], 175);
    // Column 20: 350 - 160 = 190 at row 0 (key 123).
    EXPECT_EQ(s.keyPhase[123], 190);
}

TEST(OneColourEffects, PulseFieldSeedingReadsTheBandMatrix) {
    KeyboardScratch s;
    seedOneColourMode(s, 8);
    EXPECT_EQ(s.keyPhase[105], PulseFieldSeeds[5]);
    EXPECT_EQ(s.keyPhase[0], PulseFieldSeeds[12]);
}

TEST(OneColourEffects, RippleStartsFromColumnNineAndPausesFortyMilliseconds) {
    OneColourRig rig;
    rig.choose(4, 14);
    (void)rig.tick();
    EXPECT_EQ(rig.pacer.pauses, (std::vector<int>{40, 40}));  // the thread's and the effect's
    int lit = 0;
    for (int i = 0; i < 12; ++i) {
        const auto f = rig.tick();
        lit += static_cast<int>(
            std::count_if(f.begin(), f.end(), [](std::uint8_t b) { return b != 0; }));
    }
    EXPECT_GT(lit, 0);
}

TEST(OneColourEffects, FirstTicksOfSpiralAndRainWorkedOutByHand) {
    OneColourRig spiral;
    spiral.choose(3, 14, 1);
    auto frame = spiral.tick();  // phase 1; path keys 122, 123 at w = 1, 6
    EXPECT_EQ(frame[122], (255 * 24) >> 8);
    EXPECT_EQ(frame[123], (255 * 39) >> 8);
    EXPECT_EQ(frame[16], 0);  // no key drives LED 16

    OneColourRig rain;
    rain.choose(6, 14);
    frame = rain.tick();  // key 84 seeded at 17, now 18: Pulse 241; it drives LED 72
    EXPECT_EQ(frame[72], (241 * 255) >> 8);
}

// Every mode through "effect render" (brightness 10, colour c86432, seed 7).
const test::DeviceGolden kOneColourGolden[] = {
#include "onecolour_golden_frames.inc"
};

TEST(OneColourGolden, EveryModeRendersItsRecordedFrames) {
    std::vector<test::DeviceGolden> rows;
    for (int mode = 0; mode < 12; ++mode)
        rows.push_back(test::renderGolden("keyboard-onecolour", mode));
    if (test::writeGoldenIfAsked("onecolour_golden_frames.inc", rows))
        GTEST_SKIP() << "golden frames written";
    test::expectGolden(rows, kOneColourGolden);
}

}  // namespace
}  // namespace quillon::lighting
