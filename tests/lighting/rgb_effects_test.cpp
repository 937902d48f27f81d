// RGB keyboard effects: the first tick of every mode worked out by hand from
// the tables (fixed colour 200, 100, 50 at full brightness unless said), and
// the behaviours that span many ticks.

#include "lighting/rgb_effects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "effect_rig.h"
#include "lighting/colour_tables.h"
#include "lighting/key_layout_tables.h"
#include "lighting/screen_mirror.h"

namespace quillon::lighting {
namespace {

using test::EffectRig;
using test::ledAt;

bool allZero(const std::vector<std::uint8_t>& f) {
    return std::all_of(f.begin(), f.end(), [](std::uint8_t b) { return b == 0; });
}

TEST(RgbEffectsFirstTick, StaticFillsAll126LedsAndShowsTheUnscaledColour) {
    EffectRig rig;
    rig.select(0);
    const auto& f = rig.tick();
    ASSERT_EQ(f.size(), 378u);
    for (std::size_t led = 0; led < 126; ++led)
        EXPECT_EQ(ledAt(f, led), (Rgb{199, 99, 49}));
    const MirrorCell c = rig.engine.mirrors.keyboard.cell(62);
    EXPECT_EQ(c.colour, 100u * 65536 + 50u * 256 + 200u);
    EXPECT_EQ(c.alpha, 255);
}

TEST(RgbEffectsFirstTick, BreathingRisesFromTheEnvelopeStart) {
    EffectRig rig;
    rig.select(1);
    for (int i = 0; i < 19; ++i)
        rig.tick();
    const auto& f = rig.tick();  // phase 20: Breath 33
    EXPECT_EQ(ledAt(f, 0), (Rgb{25, 12, 6}));
    EXPECT_EQ(rig.engine.mirrors.keyboard.cell(0).alpha, 32);
}

TEST(RgbEffectsFirstTick, WaveMultiColourStartsAtHueOneAndStepsSevenPerColumn) {
    EffectRig rig;
    rig.select(2, 14, 1, 1);
    const auto& f = rig.tick();
    EXPECT_EQ(ledAt(f, 105), (Rgb{254, 2, 0}));  // column 0, hue 1
    EXPECT_EQ(ledAt(f, 21), (Rgb{254, 25, 0}));  // column 1, hue 8
    EXPECT_EQ(ledAt(f, 106), (Rgb{254, 25, 0}));
}

TEST(RgbEffectsFirstTick, WaveSecondDirectionWrapsBelowZero) {
    EffectRig multi;
    multi.select(2, 14, 0, 1);
    const auto& fm = multi.tick();
    EXPECT_EQ(multi.scratch().phase, 191);
    EXPECT_EQ(ledAt(fm, 105), (Rgb{254, 0, 0}));  // hue 191
    EXPECT_EQ(ledAt(fm, 21), (Rgb{254, 17, 0}));  // hue 6

    EffectRig single;
    single.select(2, 14, 0, 0);
    const auto& fs = single.tick();
    EXPECT_EQ(single.scratch().phase, 95);
    EXPECT_EQ(ledAt(fs, 105), (Rgb{17, 8, 4}));  // Wave[95] = 22
    // The screen shows the next column's wave value: Wave[9] = 49.
    EXPECT_EQ(single.engine.mirrors.keyboard.cell(105).alpha, 48);
}

TEST(RgbEffectsFirstTick, SpectrumCycleIgnoresTheFixedColour) {
    EffectRig rig;
    rig.select(3, 14, 1, 0);
    const auto& f = rig.tick();
    EXPECT_EQ(ledAt(f, 0), (Rgb{254, 2, 0}));
    EXPECT_EQ(ledAt(f, 125), (Rgb{254, 2, 0}));
}

TEST(RgbEffectsFirstTick, SpiralWalksTheSnakePathFiveHuesApart) {
    EffectRig rig;
    rig.select(4, 14, 1, 1);
    const auto& f = rig.tick();
    EXPECT_EQ(ledAt(f, 17), (Rgb{254, 2, 0}));   // key 17, hue 1
    EXPECT_EQ(ledAt(f, 18), (Rgb{254, 17, 0}));  // key 18, hue 6
}

TEST(RgbEffectsFirstTick, RippleStartsAtTheBottomOfColumnNine) {
    EffectRig rig;
    rig.select(5);
    const auto& f = rig.tick();
    // Key 109 lit to 255 and decayed by 40 at once; envelope first.
    EXPECT_EQ(ledAt(f, 109), (Rgb{166, 82, 40}));
    std::size_t lit = 0;
    for (std::size_t led = 0; led < 126; ++led)
        lit += ledAt(f, led) != Rgb{};
    EXPECT_EQ(lit, 1u);
    // Next tick: the wave moved up one row in column 9 and one column sideways.
    const auto& g = rig.tick();
    EXPECT_NE(ledAt(g, LedIndexTable[92]), Rgb{});
}

TEST(RgbEffectsFirstTick, TrailLightsTheFirstTrailKey) {
    EffectRig fixed;
    fixed.select(6);
    EXPECT_EQ(ledAt(fixed.tick(), 0), (Rgb{181, 90, 44}));

    EffectRig multi;
    multi.select(15, 14, 1, 1);
    EXPECT_EQ(ledAt(multi.tick(), 0), (Rgb{232, 51, 0}));  // hue 13
}

TEST(RgbEffectsFirstTick, RainStartsFromTheSeededColumnPhases) {
    EffectRig rig;
    rig.select(7);
    const auto& f = rig.tick();
    EXPECT_EQ(ledAt(f, 64), (Rgb{5, 2, 0}));     // column 2 row 4: phase 1 -> 2
    EXPECT_EQ(ledAt(f, 43), (Rgb{95, 47, 23}));  // column 2 row 3: phase 36 -> 37
    EXPECT_EQ(rig.scratch().keyHue[64], 14);
}

TEST(RgbEffectsFirstTick, StarlightLightsThreeStarsWithHuesTenApart) {
    EffectRig rig;
    rig.select(8, 14, 1, 1);
    const auto& f = rig.tick();
    EXPECT_EQ(rig.scratch().keyHue[105], 10);
    EXPECT_EQ(rig.scratch().keyHue[71], 20);
    EXPECT_EQ(rig.scratch().keyHue[23], 30);
    EXPECT_EQ(rig.engine.frameTick.load(), 31);  // 30 by the effect, 1 by the pass
    // Hue 10: (255, 38, 0), level 235 envelope first.
    EXPECT_EQ(ledAt(f, 105), (Rgb{233, 33, 0}));
}

TEST(RgbEffectsFirstTick, PulseFieldStartsFromTheSeedTable) {
    EffectRig rig;
    rig.select(9);
    const auto& f = rig.tick();
    EXPECT_EQ(ledAt(f, 21), (Rgb{108, 53, 26}));  // seed 32 -> 34: Pulse 140
    EXPECT_EQ(ledAt(f, 105), (Rgb{2, 0, 0}));     // seed 72 -> 74: Pulse 4
}

TEST(RgbEffectsFirstTick, OffSendsADarkFrameButKeepsTheKeysVisible) {
    EffectRig rig;
    rig.select(10, 9);
    const auto& f = rig.tick();
    EXPECT_TRUE(allZero(f));
    EXPECT_EQ(f.size(), 378u);
    EXPECT_EQ(rig.engine.mirrors.keyboard.cell(5), (MirrorCell{0, 180}));
}

TEST(RgbEffectsFirstTick, CustomShowsTheCurrentSetAtItsLeds) {
    EffectRig rig;
    rig.engine.settings.edit([](LightingRecords& r) {
        r.custom.customSet = 2;
        r.custom.sets[2][0] = 10;
        r.custom.sets[2][1] = 20;
        r.custom.sets[2][2] = 30;
        r.custom.sets[2][3 * 62] = 255;  // LED 62 belongs to control 119
    });
    rig.select(11);
    const auto& f = rig.tick();
    EXPECT_EQ(ledAt(f, 0), (Rgb{9, 19, 29}));
    EXPECT_EQ(ledAt(f, 62), (Rgb{254, 0, 0}));
    EXPECT_EQ(rig.engine.mirrors.keyboard.cell(0),
              (MirrorCell{20u * 65536 + 30u * 256 + 10u, 255}));
    EXPECT_EQ(rig.engine.mirrors.keyboard.cell(119).colour, 255u);
}

TEST(RgbEffectsFirstTick, RingsSpreadHuesFromTheCentre) {
    EffectRig first;
    first.select(13, 14, 1);
    const auto& f = first.tick();
    EXPECT_EQ(ledAt(f, 51), (Rgb{254, 175, 0}));  // phase 4, ring 0: hue 25
    EXPECT_EQ(ledAt(f, 30), (Rgb{84, 254, 0}));   // ring 1: hue 46

    EffectRig second;
    second.select(13, 14, 0);
    EXPECT_EQ(ledAt(second.tick(), 51), (Rgb{254, 128, 0}));  // phase 192: hue 21
}

TEST(RgbEffectsFirstTick, PulseWaveUsesThePulseEnvelopePerBand) {
    EffectRig multi;
    multi.select(14, 14, 1, 1);
    const auto& fm = multi.tick();
    EXPECT_EQ(ledAt(fm, 105), (Rgb{3, 0, 0}));
    EXPECT_EQ(ledAt(fm, 21), (Rgb{76, 7, 0}));

    EffectRig single;
    single.select(14, 14, 1, 0);
    const auto& fs = single.tick();
    EXPECT_EQ(ledAt(fs, 105), (Rgb{3, 1, 0}));
    EXPECT_EQ(single.engine.mirrors.keyboard.cell(105).alpha, 133);  // Pulse[11] = 134
}

TEST(RgbEffects, DarkBrightnessLevelsSendDarkFramesWithInvisibleKeys) {
    for (std::uint8_t level : {0, 15}) {
        for (std::uint8_t mode = 0; mode < 16; ++mode) {
            EffectRig rig;
            rig.engine.settings.edit([](LightingRecords& r) { r.custom.sets[0].fill(200); });
            rig.select(mode, level, 1, mode % 2);
            for (int i = 0; i < 20; ++i) {
                const auto& f = rig.tick();
                EXPECT_TRUE(allZero(f)) << "mode " << int(mode) << " level " << int(level);
            }
            for (std::size_t k = 0; k < 126; ++k) {
                EXPECT_EQ(rig.engine.mirrors.keyboard.cell(k).alpha, 0) << "mode " << int(mode);
            }
        }
    }
    // The keys keep their colour.
    EffectRig rig;
    rig.select(0, 0);
    rig.tick();
    EXPECT_EQ(rig.engine.mirrors.keyboard.cell(0).colour, 100u * 65536 + 50u * 256 + 200u);
}

TEST(RgbEffects, SpiralNeverLightsKeysOffTheSnakePath) {
    const std::vector<int> off{16,  62,  79,  80,  81,  82,  83,  100, 101,
                               102, 103, 104, 120, 121, 122, 123, 124, 125};
    for (std::uint8_t multi : {0, 1}) {
        EffectRig rig;
        rig.select(4, 14, 1, multi);
        for (int t = 0; t < 200; ++t) {
            const auto& f = rig.tick();
            for (int k : off) {
                EXPECT_EQ(rig.engine.mirrors.keyboard.cell(k).alpha, 0) << k;
                // Control 16 shares LED 17 with a path key.
                if (k != 16 && LedIndexTable[k] != kNoKey) {
                    EXPECT_EQ(ledAt(f, LedIndexTable[k]), Rgb{});
                }
            }
        }
    }
}

TEST(RgbEffects, TrailLightsEveryTrailEntryInTurnThenRestsOneTick) {
    EffectRig rig;
    rig.select(6);
    for (int cycle = 0; cycle < 2; ++cycle) {
        for (std::size_t i = 0; i < kTrailLength; ++i) {
            rig.tick();
            const std::uint8_t k = TrailPath[i];
            const auto& level = rig.scratch().keyLevel;
            if (k == kNoKey) {
                EXPECT_EQ(std::count(level.begin(), level.end(), 234), 0) << i;
            } else {
                EXPECT_EQ(level[k], 234) << i;  // lit to 254, one decay step
            }
        }
        rig.tick();  // the rest tick
        const auto& level = rig.scratch().keyLevel;
        EXPECT_EQ(std::count(level.begin(), level.end(), 234), 0);
        EXPECT_EQ(rig.scratch().trailPos, 0);
    }
}

TEST(RgbEffects, TrailSecondDirectionRestsAtPosition110InsteadOfReadingPastThePath) {
    EffectRig rig;
    rig.select(6, 14, 0);
    rig.tick();  // 0 -> 110, dark
    EXPECT_EQ(rig.scratch().trailPos, 110);
    rig.tick();  // 110: a rest tick
    EXPECT_EQ(rig.scratch().trailPos, 109);
    const auto& level = rig.scratch().keyLevel;
    EXPECT_EQ(std::count(level.begin(), level.end(), 234), 0);
    rig.tick();
    EXPECT_EQ(rig.scratch().keyLevel[TrailPath[109]], 234);
}

TEST(RgbEffects, RingHuesArePhasePlus21PerRing) {
    EffectRig rig;
    rig.select(13, 14, 1);
    for (int t = 0; t < 60; ++t) {
        rig.tick();
        const unsigned phase = rig.scratch().phase;
        for (std::size_t ring = 0; ring < kRingCount; ++ring) {
            const Rgb expected = ColourWheel[(phase + 21 * (ring + 1)) % 192];
            for (std::size_t i = 0; i < kRingSize; ++i) {
                const std::uint8_t k = RingTable[kRingSize * ring + i];
                if (k == kNoKey || !onSnakePath(k))
                    continue;
                EXPECT_EQ(rig.engine.mirrors.keyboard.cell(k).colour, packChangerColour(expected));
            }
        }
    }
}

TEST(RgbEffects, StarlightRelightsEachKeyAfter104Steps) {
    EffectRig rig;
    rig.select(8);
    // Keys lit this tick are at 235 (255 after one decay step).
    std::vector<int> order;
    for (int t = 0; t < 70; ++t) {
        rig.tick();
        const auto& level = rig.scratch().keyLevel;
        for (int n = 1; n <= 3; ++n) {
            const int step = 3 * t + n;
            order.push_back(SnakePath[StarOrder[step % 104]]);
            EXPECT_EQ(level[order.back()], 235);
        }
    }
    for (std::size_t i = 104; i < order.size(); ++i)
        EXPECT_EQ(order[i], order[i - 104]);
}

TEST(RgbEffects, ModeSelectionResetsOnlyTheResettableScratch) {
    EffectRig rig;
    rig.select(6);
    for (int i = 0; i < 5; ++i)
        rig.tick();
    rig.scratch().keyPhase[3] = 77;
    rig.select(0);
    rig.tick();
    EXPECT_EQ(rig.scratch().trailPos, 5);
    EXPECT_EQ(rig.scratch().keyPhase[3], 77);
    EXPECT_EQ(rig.scratch().keyLevel[0], 0);
    EXPECT_EQ(rig.scratch().keyHue[0], 0);
}

TEST(RgbEffects, PhasesLeftByAnotherModeStayInsideTheEnvelopes) {
    // Leftover phases and levels from other modes must not read past a table:
    // run each mode from saturated scratch state (ASan watches the reads).
    for (std::uint8_t mode = 0; mode < 16; ++mode) {
        for (std::uint8_t dir : {0, 1}) {
            EffectRig rig;
            rig.select(mode, 14, dir, 0);
            rig.engine.applyPendingSelection(LightingKind::rgbKeyboard, dir);
            KeyboardScratch& s = rig.scratch();
            s.phase = 255;
            s.keyLevel.fill(255);
            s.keyPhase.fill(255);
            s.trailPos = 255;
            s.starPos = 255;
            for (int i = 0; i < 3; ++i)
                rig.tick();
            if (mode == 2 || mode == 3 || mode == 4 || mode == 13 || mode == 14) {
                EXPECT_LE(s.phase, 192) << int(mode);
            }
            if (mode == 6) {
                EXPECT_LE(s.trailPos, 110);
            }
            if (mode == 8) {
                EXPECT_LT(s.starPos, 104);
            }
        }
    }
}

}  // namespace
}  // namespace quillon::lighting
