// Golden frames of every RGB mode through the "effect render" command: twelve
// ticks for each direction and colour mode. The first tick of each mode is
// worked out by hand in rgb_effects_test.cpp; these digests pin the ticks
// after it so that a change of any later frame is noticed.

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "lighting/effect_cli.h"

namespace quillon::lighting {
namespace {

std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 0x100000001b3ull;
    }
    return h;
}

std::string render(int mode, int direction, int multi, int frames) {
    const std::vector<std::string> args{"--device",      "keyboard",
                                        "--mode",        std::to_string(mode),
                                        "--brightness",  "10",
                                        "--direction",   std::to_string(direction),
                                        "--multicolour", std::to_string(multi),
                                        "--colour",      "c86432",
                                        "--frames",      std::to_string(frames),
                                        "--seed",        "7"};
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(renderEffect(args, out, err), 0) << err.str();
    return out.str();
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

TEST(GoldenFrames, RenderRefusesBadArguments) {
    std::ostringstream out;
    std::ostringstream err;
    const std::vector<std::string> noFrames{"--device", "keyboard", "--mode", "1"};
    EXPECT_EQ(renderEffect(noFrames, out, err), 2);
    const std::vector<std::string> badColour{"--device", "keyboard", "--mode",   "1",
                                             "--frames", "1",        "--colour", "12345g"};
    EXPECT_EQ(renderEffect(badColour, out, err), 2);
    const std::vector<std::string> unknown{"--device", "toaster", "--mode", "1", "--frames", "1"};
    EXPECT_EQ(renderEffect(unknown, out, err), 2);
    EXPECT_TRUE(out.str().empty());
}

TEST(GoldenFrames, SeedFixesTheBreathingHue) {
    // The hue changes when the phase wraps after 128 ticks.
    auto lastFrame = [](int seed) {
        const std::vector<std::string> args{
            "--device", "keyboard", "--mode", "1",      "--multicolour",
            "1",        "--frames", "140",    "--seed", std::to_string(seed)};
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(renderEffect(args, out, err), 0);
        const std::string s = out.str();
        return s.substr(s.size() - 757);
    };
    EXPECT_EQ(lastFrame(3), lastFrame(3));
    EXPECT_NE(lastFrame(3), lastFrame(4));
}

}  // namespace
}  // namespace quillon::lighting
