// Painting the custom sets of the three keyboard variants.

#include "lighting/custom_paint.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "lighting/key_layout_tables.h"

namespace quillon::lighting {
namespace {

CustomColourStore storeWithPaint() {
    CustomColourStore s;
    s.paintRed = 10;
    s.paintGreen = 20;
    s.paintBlue = 30;
    s.customSet = 1;
    return s;
}

TEST(CustomPaint, RgbClickPaintsTheLedOfTheControlInTheCurrentSet) {
    CustomColourStore s = storeWithPaint();
    EXPECT_TRUE(paintKey(s, LightingKind::rgbKeyboard, 16));  // control 16 drives LED 17
    EXPECT_EQ(s.sets[1][51], 10);
    EXPECT_EQ(s.sets[1][53], 30);
    EXPECT_EQ(s.sets[0][51], 0);
    s.brushOn = 0;
    EXPECT_TRUE(paintKey(s, LightingKind::rgbKeyboard, 17));
    EXPECT_EQ(s.sets[1][51], 0);  // black is stored
    EXPECT_FALSE(paintKey(s, LightingKind::rgbKeyboard, 62));
    EXPECT_FALSE(paintKey(s, LightingKind::rgbKeyboard, 126));
}

TEST(CustomPaint, OneColourClickSetsALevelByte) {
    CustomColourStore s = storeWithPaint();
    EXPECT_TRUE(paintKey(s, LightingKind::oneColourKeyboard, 38));  // LED 53
    EXPECT_EQ(s.sets[1][53], 0xFF);
    EXPECT_FALSE(paintKey(s, LightingKind::oneColourKeyboard, 16));
}

TEST(CustomPaint, MembraneClickRecoloursTheWholeRegion) {
    CustomColourStore s = storeWithPaint();
    EXPECT_EQ(membraneRegionOf(50), 2);
    EXPECT_TRUE(paintKey(s, LightingKind::membraneKeyboard, 50));  // region 2
    for (std::uint8_t k : MembraneRegions[2]) {
        if (k == kNoKey)
            continue;
        EXPECT_EQ(s.sets[1][3 * k + 1], 20) << int(k);
    }
    EXPECT_EQ(s.sets[1][3 * 0 + 1], 0);  // region 0 untouched
    // Control 16 maps to key 17, which lies in no region.
    EXPECT_EQ(membraneRegionOf(17), -1);
    EXPECT_FALSE(paintKey(s, LightingKind::membraneKeyboard, 16));
    EXPECT_FALSE(paintKey(s, LightingKind::membraneKeyboard, 62));
}

TEST(CustomPaint, AllKeysOnFillsOnlyUnlitKeysAndAllOffClearsTheSet) {
    CustomColourStore s = storeWithPaint();
    s.sets[1][0] = 99;
    lightUnlitKeys(s, LightingKind::rgbKeyboard);
    EXPECT_EQ(s.sets[1][0], 99);
    EXPECT_EQ(s.sets[1][1], 0);  // key 0 kept its colour
    EXPECT_EQ(s.sets[1][3 * 125 + 2], 30);
    clearAllKeys(s, LightingKind::rgbKeyboard);
    EXPECT_TRUE(
        std::all_of(s.sets[1].begin(), s.sets[1].end(), [](std::uint8_t b) { return b == 0; }));

    CustomColourStore one = storeWithPaint();
    one.sets[1][200] = 7;  // beyond the one-colour bytes: untouched
    lightUnlitKeys(one, LightingKind::oneColourKeyboard);
    EXPECT_EQ(std::count(one.sets[1].begin(), one.sets[1].begin() + 126, 0xFF), 126);
    clearAllKeys(one, LightingKind::oneColourKeyboard);
    EXPECT_EQ(one.sets[1][0], 0);
    EXPECT_EQ(one.sets[1][200], 7);
}

TEST(CustomPaint, AStoredSetIndexAboveFourUsesSetZero) {
    CustomColourStore s = storeWithPaint();
    s.customSet = 9;
    EXPECT_TRUE(paintKey(s, LightingKind::rgbKeyboard, 0));
    EXPECT_EQ(s.sets[0][0], 10);
    EXPECT_EQ(s.customSet, 9);  // the stored byte is kept
}

}  // namespace
}  // namespace quillon::lighting
