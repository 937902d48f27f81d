// The constant tables: lengths, a few known entries, and the properties the
// effects rely on.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "effect_rig.h"
#include "lighting/colour_tables.h"
#include "lighting/key_layout_tables.h"
#include "lighting/timing_tables.h"

namespace quillon::lighting {
namespace {

TEST(ColourTables, BrightnessScaleIsDarkAtBothEndsAndClampsAboveTheTable) {
    EXPECT_EQ(BrightnessTable.size(), 16u);
    EXPECT_EQ(BrightnessTable[0], 0);
    EXPECT_EQ(BrightnessTable[1], 30);
    EXPECT_EQ(BrightnessTable[14], 255);
    EXPECT_EQ(BrightnessTable[15], 0);
    EXPECT_EQ(brightnessScale(200), 0);  // counts as 15
}

TEST(ColourTables, ColourWheelFollowsTheRampsAndRepeatsPast191) {
    EXPECT_EQ(ColourWheel.size(), 256u);
    EXPECT_EQ(ColourWheel[0], (Rgb{255, 1, 0}));
    EXPECT_EQ(ColourWheel[31], (Rgb{255, 255, 0}));
    EXPECT_EQ(ColourWheel[32], (Rgb{248, 255, 0}));
    EXPECT_EQ(ColourWheel[64], (Rgb{0, 255, 1}));
    EXPECT_EQ(ColourWheel[96], (Rgb{0, 248, 255}));
    EXPECT_EQ(ColourWheel[128], (Rgb{1, 0, 255}));
    EXPECT_EQ(ColourWheel[191], (Rgb{255, 0, 0}));
    for (std::size_t i = 192; i < 256; ++i)
        EXPECT_EQ(ColourWheel[i], ColourWheel[i - 192]);
}

TEST(ColourTables, EnvelopesHaveTheirLengthsAndShapes) {
    EXPECT_EQ(WaveEnvelope.size(), 96u);
    EXPECT_EQ(WaveEnvelope[0], 22);
    EXPECT_EQ(WaveEnvelope[47], 255);
    EXPECT_EQ(WaveEnvelope[48], 255);
    EXPECT_EQ(WaveEnvelope[95], 22);
    EXPECT_EQ(BreathEnvelope.size(), 128u);
    EXPECT_EQ(BreathEnvelope[10], 10);
    EXPECT_EQ(BreathEnvelope[11], 12);
    EXPECT_EQ(BreathEnvelope[16], 22);
    EXPECT_EQ(BreathEnvelope[63], 255);
    EXPECT_EQ(BreathEnvelope[127], 0);
    EXPECT_EQ(PulseEnvelope.size(), 192u);
    EXPECT_EQ(PulseEnvelope[16], 255);
    EXPECT_EQ(PulseEnvelope[37], 124);
    EXPECT_EQ(PulseEnvelope[79], 1);
    EXPECT_TRUE(std::all_of(PulseEnvelope.begin() + 80, PulseEnvelope.end(),
                            [](std::uint8_t v) { return v == 0; }));
    EXPECT_EQ(PresetColours.size(), 30u);
    EXPECT_EQ(PresetColours[0], 0xFFFF0000u);
    EXPECT_EQ(PresetColours[21], 0xFF000000u);
    EXPECT_EQ(PresetColours[29], 0xFF4776A4u);
}

TEST(KeyLayoutTables, LedMapsHaveKnownEntries) {
    EXPECT_EQ(LedIndexTable[13], 14);
    EXPECT_EQ(LedIndexTable[16], 17);
    EXPECT_EQ(LedIndexTable[17], 17);
    EXPECT_EQ(LedIndexTable[62], kNoKey);
    EXPECT_EQ(LedIndexTable[118], 104);
    EXPECT_EQ(LedIndexTable[119], 62);
    EXPECT_EQ(OneColourLedIndexTable[38], 53);
    EXPECT_EQ(OneColourLedIndexTable[125], 125);
    EXPECT_EQ(OneColourLedIndexTable[16], kNoKey);
    EXPECT_EQ(MembraneClickMap[16], 17);
    EXPECT_EQ(MembraneClickMap[62], kNoKey);
    EXPECT_EQ(MembraneClickMap[119], 119);
}

TEST(KeyLayoutTables, MatricesAndPathsHaveTheirShapes) {
    EXPECT_EQ(ColumnMatrix.size(), 161u);
    EXPECT_EQ(ColumnMatrix[6], 105);
    EXPECT_EQ(ColumnMatrix[7 * 20], 125);
    EXPECT_EQ(ColumnMatrix[7 * 22 + 5], 118);
    EXPECT_EQ(BandMatrix.size(), 144u);
    EXPECT_EQ(BandMatrix[6 * 19], 122);
    EXPECT_EQ(OneColourColumnMatrix.size(), 138u);
    EXPECT_EQ(OneColourColumnMatrix[4], 84);

    std::set<int> snake(SnakePath.begin(), SnakePath.begin() + kSnakeKeyCount);
    EXPECT_EQ(snake.size(), kSnakeKeyCount);  // no key twice
    for (int k : {16, 62, 79, 80, 81, 82, 83, 100, 104, 120, 125})
        EXPECT_EQ(snake.count(k), 0u);
    EXPECT_TRUE(std::all_of(SnakePath.begin() + kSnakeKeyCount, SnakePath.end(),
                            [](std::uint8_t v) { return v == kNoKey; }));
    EXPECT_EQ(OneColourSnakePath[0], 122);
    EXPECT_EQ(OneColourSnakePath[4], SnakePath[4]);

    EXPECT_EQ(TrailPath.size(), 110u);
    EXPECT_EQ(TrailPath[20], 41);
    EXPECT_EQ(TrailPath[66], kNoKey);
    EXPECT_EQ(TrailPath[80], kNoKey);
    EXPECT_EQ(TrailPath[109], 105);
    EXPECT_EQ(OneColourTrailPath[16], 122);
    EXPECT_EQ(OneColourTrailPath[20], 41);

    std::set<int> stars(StarOrder.begin(), StarOrder.end());
    EXPECT_EQ(stars.size(), 104u);
    EXPECT_EQ(*stars.rbegin(), 103);
    EXPECT_EQ(RingTable[0], 51);
    EXPECT_EQ(RingTable[1], kNoKey);
    EXPECT_EQ(RingTable[12 * 11 + 2], 41);
    EXPECT_EQ(PulseFieldSeeds[0], 72);
    EXPECT_EQ(PulseFieldSeeds[137], 32);
    EXPECT_EQ(MembraneRegions[1][21], 108);
    EXPECT_EQ(MembraneRegions[4][13], kNoKey);
}

TEST(TimingTables, RowsByModeAndSpeedWithSafeFallbacks) {
    EXPECT_EQ(framePauseMs(LightingKind::rgbKeyboard, 0, 0), 2);
    EXPECT_EQ(framePauseMs(LightingKind::rgbKeyboard, 1, 0), 9);
    EXPECT_EQ(framePauseMs(LightingKind::rgbKeyboard, 7, 0), 3);
    EXPECT_EQ(framePauseMs(LightingKind::rgbKeyboard, 13, 14), 63);
    EXPECT_EQ(framePauseMs(LightingKind::rgbKeyboard, 14, 14), 65);
    EXPECT_EQ(framePauseMs(LightingKind::rgbKeyboard, 0, 200), 54);  // speed counts as 14
    EXPECT_EQ(framePauseMs(LightingKind::rgbKeyboard, 16, 0), 100);  // no row
    EXPECT_EQ(framePauseMs(LightingKind::mouse, 2, 1), 10);
    EXPECT_EQ(framePauseMs(LightingKind::mouse, 9, 0), 200);
    EXPECT_EQ(framePauseMs(LightingKind::mousepad, 9, 0), 200);
    EXPECT_EQ(framePauseMs(LightingKind::mousepad, 8, 14), 65);
    EXPECT_EQ(framePauseMs(LightingKind::sync, 0, 5), 20);
    EXPECT_EQ(extraPauseMs(LightingKind::rgbKeyboard, 5, 0), 40);
    EXPECT_EQ(extraPauseMs(LightingKind::mouse, 8, 0), 200);
    EXPECT_EQ(extraPauseMs(LightingKind::mousepad, 4, 3), 130);
    EXPECT_EQ(extraPauseMs(LightingKind::mousepad, 7, 2), 60);
}

}  // namespace
}  // namespace quillon::lighting
