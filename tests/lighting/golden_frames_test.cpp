// Golden frames of every RGB mode as the effect renderer prints them: twelve
// ticks for each direction and colour mode. The first tick of each mode is
// worked out by hand in rgb_effects_test.cpp; these digests pin the ticks
// after it so that a change of any later frame is noticed.

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "effect_rig.h"

namespace quillon::lighting {
namespace {

using test::fnv1a;

std::string render(int mode, int direction, int multi, int frames) {
    return test::renderDevice("keyboard", mode, direction, multi, frames);
}

// Digest of the twelve frame lines, per mode, for (direction, multi-colour)
// = (1, 0), (1, 1), (0, 0), (0, 1).
struct Golden {
    int mode;
    std::uint64_t digest[4];
};

constexpr Golden kGolden[] = {
#include "golden_frames.inc"
};

TEST(GoldenFrames, EveryRgbModeRendersItsRecordedFrames) {
    for (const Golden& g : kGolden) {
        int i = 0;
        for (int direction : {1, 0}) {
            for (int multi : {0, 1}) {
                const std::string frames = render(g.mode, direction, multi, 12);
                EXPECT_EQ(fnv1a(frames), g.digest[i])
                    << "mode " << g.mode << " direction " << direction << " multi " << multi
                    << " digest 0x" << std::hex << fnv1a(frames);
                ++i;
            }
        }
    }
}

TEST(GoldenFrames, RenderPrintsOneLowerCaseHexLinePerFrame) {
    const std::string out = render(0, 1, 0, 3);
    std::istringstream lines(out);
    std::string line;
    int n = 0;
    while (std::getline(lines, line)) {
        ++n;
        ASSERT_EQ(line.size(), 756u);
        // 200, 100, 50 at level 10 (scale 195): 152, 76, 38.
        EXPECT_EQ(line.substr(0, 6), "984c26");
    }
    EXPECT_EQ(n, 3);
}

TEST(GoldenFrames, SeedFixesTheBreathingHue) {
    // The hue changes when the phase wraps after 128 ticks.
    auto lastFrame = [](std::uint32_t seed) {
        EffectOptions o;
        o.record.mode = 1;
        o.record.multiColour = 1;
        o.frames = 140;
        o.seed = seed;
        test::HexLineFrames out;
        renderEffect(o, out);
        return out.text.substr(out.text.size() - 757);
    };
    EXPECT_EQ(lastFrame(3), lastFrame(3));
    EXPECT_NE(lastFrame(3), lastFrame(4));
}

}  // namespace
}  // namespace quillon::lighting
