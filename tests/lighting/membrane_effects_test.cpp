// Membrane keyboard: six regions of two LEDs, the green-red-blue frame and
// the stack effect.

#include "lighting/membrane_effects.h"

#include <gtest/gtest.h>

#include <set>

#include "effect_rig.h"
#include "lighting/key_layout_tables.h"
#include "lighting/membrane_tables.h"

namespace quillon::lighting {
namespace {

using test::EffectRig;
constexpr auto kMembrane = LightingKind::membraneKeyboard;

struct MembraneRig : EffectRig {
    MembraneRig() { identity.keyboardVariant = link::KeyboardVariant::membrane; }
    void choose(std::uint8_t mode, std::uint8_t direction = 1, std::uint8_t multi = 0,
                Rgb colour = {200, 100, 50}) {
        selectKind(kMembrane, LightingRecord{mode, 14, 0, direction, multi, colour.red,
                                             colour.green, colour.blue});
    }
    std::vector<std::uint8_t> tick() { return tickKind(kMembrane); }
};

// The colour LED n shows, read back from green-red-blue.
Rgb membraneLed(const std::vector<std::uint8_t>& f, std::size_t n) {
    return {f[3 * n + 1], f[3 * n], f[3 * n + 2]};
}

bool regionLit(const std::vector<std::uint8_t>& f, std::size_t r) {
    return membraneLed(f, MembraneRegionLeds[r][0]) != Rgb{};
}

TEST(MembraneTables, RegionsAndTheirLeds) {
    const std::array<std::size_t, 6> keyCounts{15, 22, 21, 16, 13, 17};
    for (std::size_t r = 0; r < kRegionCount; ++r) {
        std::size_t n = 0;
        for (std::uint8_t k : MembraneRegions[r])
            n += k != kNoKey;
        EXPECT_EQ(n, keyCounts[r]) << "region " << r;
    }
    EXPECT_EQ(MembraneRegions[2][19], 110);
    EXPECT_EQ(MembraneRegions[5][16], 119);
    // Every one of the twelve LEDs belongs to exactly one region.
    std::set<int> leds;
    for (const auto& pair : MembraneRegionLeds)
        leds.insert(pair.begin(), pair.end());
    EXPECT_EQ(leds.size(), kMembraneLedCount);
    EXPECT_EQ(MembraneRegionLeds[0], (std::array<std::uint8_t, 2>{5, 6}));
    EXPECT_EQ(MembraneRegionLeds[4], (std::array<std::uint8_t, 2>{8, 11}));
}

TEST(MembraneEffects, StaticCarriesEachRegionColourTwiceGreenFirst) {
    MembraneRig rig;
    rig.choose(0);
    const auto frame = rig.tick();
    ASSERT_EQ(frame.size(), 36u);
    for (std::size_t n = 0; n < kMembraneLedCount; ++n) {
        EXPECT_EQ(frame[3 * n], 99) << "green of LED " << n;
        EXPECT_EQ(frame[3 * n + 1], 199) << "red of LED " << n;
        EXPECT_EQ(frame[3 * n + 2], 49) << "blue of LED " << n;
    }
    EXPECT_EQ(rig.engine.mirrors.keyboard.cell(0),
              (MirrorCell{packChangerColour({199, 99, 49}), 255}));
}

TEST(MembraneEffects, CustomRegionsTakeTheirLastKeyAndReachBothLeds) {
    MembraneRig rig;
    rig.engine.settings.edit([](LightingRecords& rec) {
        for (std::size_t r = 0; r < kRegionCount; ++r) {
            for (std::uint8_t k : MembraneRegions[r]) {
                if (k == kNoKey)
                    continue;
                auto& set = rec.custom.current();
                set[3 * k] = static_cast<std::uint8_t>(10 + 40 * r);
                set[3 * k + 1] = static_cast<std::uint8_t>(r);
                set[3 * k + 2] = 255;
            }
        }
    });
    rig.choose(6);
    const auto frame = rig.tick();
    for (std::size_t r = 0; r < kRegionCount; ++r) {
        const Rgb expected = {static_cast<std::uint8_t>(((10 + 40 * r) * 255) >> 8),
                              static_cast<std::uint8_t>((r * 255) >> 8), 254};
        for (std::uint8_t led : MembraneRegionLeds[r])
            EXPECT_EQ(membraneLed(frame, led), expected) << r;
        EXPECT_EQ(rig.engine.effectState().membrane.regionColours[r], expected);
    }
}

TEST(MembraneEffects, MultiColourWaveStepsSevenHuesPerRegion) {
    MembraneRig rig;
    rig.choose(2, 1, 1);
    const auto frame = rig.tick();  // phase 1
    for (std::size_t r = 0; r < kRegionCount; ++r) {
        const Rgb wheel = ColourWheel[1 + 7 * r];
        const Rgb expected{static_cast<std::uint8_t>(wheel.red * 255 >> 8),
                           static_cast<std::uint8_t>(wheel.green * 255 >> 8),
                           static_cast<std::uint8_t>(wheel.blue * 255 >> 8)};
        EXPECT_EQ(membraneLed(frame, MembraneRegionLeds[r][1]), expected) << r;
    }
}

TEST(MembraneEffects, StackWithFirstDirectionPilesFromRegionZeroAndFadesAfterSixBlocks) {
    MembraneRig rig;
    rig.choose(4, 1);
    EXPECT_TRUE(rig.tick().empty());  // the restart tick sends nothing
    EXPECT_EQ(rig.pacer.pauses.front(), 100);
    const auto hues = rig.engine.effectState().membrane.regionHues;
    EXPECT_EQ(hues, (std::array<std::uint8_t, 6>{66, 55, 44, 33, 22, 11}));

    auto first = rig.tick();
    for (std::size_t r = 0; r < kRegionCount; ++r)
        EXPECT_EQ(regionLit(first, r), r == 5) << r;

    // Stacking: the pile of `stackLength` blocks always shows from region 0
    // up; a block enters at region 5 six times in all.
    int entries = 1;
    bool topWasLit = true;
    std::vector<std::uint8_t> frame = first;
    for (int ticks = 0; rig.engine.effectState().membrane.fading == 0 && ticks < 100; ++ticks) {
        const int pile = rig.engine.effectState().membrane.stackLength;
        frame = rig.tick();
        for (int r = 0; r < pile; ++r)
            EXPECT_TRUE(regionLit(frame, static_cast<std::size_t>(r)));
        const bool topLit = regionLit(frame, 5);
        entries += topLit && !topWasLit;
        topWasLit = topLit;
    }
    EXPECT_EQ(entries, 6);
    for (std::size_t r = 0; r < kRegionCount; ++r)
        EXPECT_TRUE(regionLit(frame, r));

    // Fading: every region dims together until dark; then a silent restart with new hues.
    const Rgb full = membraneLed(frame, MembraneRegionLeds[0][0]);
    frame = rig.tick();
    const Rgb dimmer = membraneLed(frame, MembraneRegionLeds[0][0]);
    EXPECT_LT(dimmer.red + dimmer.green + dimmer.blue, full.red + full.green + full.blue);
    int fadeTicks = 0;
    while (!frame.empty() && fadeTicks++ < 100)
        frame = rig.tick();
    EXPECT_TRUE(frame.empty());
    EXPECT_NE(rig.engine.effectState().membrane.regionHues, hues);
}

TEST(MembraneEffects, StackWithSecondDirectionPilesFromRegionFive) {
    MembraneRig rig;
    rig.choose(4, 0);
    EXPECT_TRUE(rig.tick().empty());
    int entries = 0;
    bool entryWasLit = false;
    std::vector<std::uint8_t> frame;
    for (int ticks = 0; rig.engine.effectState().membrane.fading == 0 && ticks < 100; ++ticks) {
        const int top = rig.engine.effectState().membrane.stackLength;
        frame = rig.tick();
        for (int r = top + 1; r < 6; ++r)
            EXPECT_TRUE(regionLit(frame, static_cast<std::size_t>(r)));
        const bool entryLit = regionLit(frame, 0);
        entries += entryLit && !entryWasLit;
        entryWasLit = entryLit;
    }
    EXPECT_EQ(entries, 6);
    for (std::size_t r = 0; r < kRegionCount; ++r)
        EXPECT_TRUE(regionLit(frame, r));
}

TEST(MembraneEffects, StackDirectionChangeSendsADarkFrameAndRestartsFromTheOtherEnd) {
    MembraneRig rig;
    rig.choose(4, 1);
    for (int i = 0; i < 4; ++i)
        (void)rig.tick();
    rig.engine.settings.edit([](LightingRecords& r) { r.keyboard.lighting.direction = 0; });
    rig.engine.signals.membraneDirectionChanged = true;
    const std::size_t before = rig.keyboard.frames.size();
    (void)rig.tick();  // the dark frame only: the restart tick itself sends nothing
    ASSERT_EQ(rig.keyboard.frames.size(), before + 1);
    const auto& dark = rig.keyboard.frames.back();
    EXPECT_EQ(dark, std::vector<std::uint8_t>(36, 0));
    EXPECT_FALSE(rig.engine.signals.membraneDirectionChanged);
    const auto frame = rig.tick();
    for (std::size_t r = 0; r < kRegionCount; ++r)
        EXPECT_EQ(regionLit(frame, r), r == 0) << r;
}

TEST(MembraneEffects, StackHuesStayDistinctForEveryIndex) {
    std::set<std::tuple<int, int, int>> colours;
    for (unsigned i = 0; i < 192; ++i) {
        const Rgb c = ColourWheel[stackBlockHue(static_cast<std::uint8_t>(i))];
        colours.insert({c.red, c.green, c.blue});
    }
    EXPECT_EQ(colours.size(), 192u);
}

TEST(MembraneEffects, SpectrumWithSecondDirectionStartsAtTheLastHue) {
    MembraneRig rig;
    rig.choose(3, 0);
    const auto frame = rig.tick();  // phase 0 -> 191: (255, 0, 0) at full scale
    EXPECT_EQ(frame[0], 0);         // green
    EXPECT_EQ(frame[1], 254);       // red
    EXPECT_EQ(frame[2], 0);
}

// Every mode through "effect render" (brightness 10, colour c86432, seed 7).
const test::DeviceGolden kMembraneGolden[] = {
#include "membrane_golden_frames.inc"
};

TEST(MembraneGolden, EveryModeRendersItsRecordedFrames) {
    std::vector<test::DeviceGolden> rows;
    for (int mode = 0; mode < 7; ++mode)
        rows.push_back(test::renderGolden("keyboard-membrane", mode));
    if (test::writeGoldenIfAsked("membrane_golden_frames.inc", rows))
        GTEST_SKIP() << "golden frames written";
    test::expectGolden(rows, kMembraneGolden);
}

}  // namespace
}  // namespace quillon::lighting
