// The shot editor's reading and writing of a pattern's action list, and the
// pattern table image the mouse plays from.

#include "keys/pattern_shot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "keys/pattern_image.h"

#define LLVMFuzzerTestOneInput fuzzPatternImage
#include "../../fuzz/fuzz_pattern_image.cpp"
#undef LLVMFuzzerTestOneInput

namespace quillon::keys {
namespace {

// A full pattern whose action i is a still move with i in its pause.
PatternList fullPattern() {
    PatternList actions(kMaxPatternActions);
    for (std::size_t i = 0; i < actions.size(); ++i) {
        actions[i] = *parseMacroAction("0,0,4,0,0,mouse_move_to_right_text");
        actions[i].delayLow = std::uint8_t(i);
    }
    return actions;
}

TEST(PatternShot, APauseIsKeptInTensOfMilliseconds) {
    PatternList actions = fullPattern();
    ASSERT_TRUE(storeShot(actions, 4, 125, {}, {}));
    EXPECT_EQ(actions[4 * 6 + 3].pauseUnits(), 12);
    EXPECT_EQ(loadShot(actions, 4)->pauseMs, 120u);
    // The rest of the pause action is kept.
    EXPECT_EQ(actions[4 * 6 + 3].kind, 4);
    EXPECT_EQ(actions[4 * 6 + 3].name, "mouse_move_to_right_text");
}

TEST(PatternShot, MovesAreWrittenInTheTextFormOfTheirDirection) {
    PatternList actions = fullPattern();
    ASSERT_TRUE(storeShot(actions, 2, 0, {3, true}, {7, false}));
    EXPECT_EQ(formatMacroAction(actions[2 * 6 + 4]), "0,0,132,3,1,mouse_move_to_left_text");
    EXPECT_EQ(formatMacroAction(actions[2 * 6 + 5]), "0,0,5,7,0,mouse_move_to_down_text");
    ASSERT_TRUE(storeShot(actions, 2, 0, {9, false}, {255, true}));
    EXPECT_EQ(formatMacroAction(actions[2 * 6 + 4]), "0,0,4,9,0,mouse_move_to_right_text");
    EXPECT_EQ(formatMacroAction(actions[2 * 6 + 5]), "0,0,133,255,1,mouse_move_to_up_text");
    // The first three actions of the shot pass through.
    EXPECT_EQ(actions[2 * 6].delayLow, 12);
    EXPECT_EQ(actions[2 * 6 + 2].delayLow, 14);

    const Shot shot = *loadShot(actions, 2);
    EXPECT_EQ(shot.x, (ShotMove{9, false}));
    EXPECT_EQ(shot.y, (ShotMove{255, true}));
}

TEST(PatternShot, ShotsOutsideTheListChangeNothing) {
    PatternList actions = fullPattern();
    EXPECT_TRUE(loadShot(actions, 29));
    EXPECT_FALSE(loadShot(actions, 30));
    EXPECT_FALSE(loadShot(actions, -1));
    actions.resize(6 * 3 + 5);  // a file cut short inside shot 3
    const PatternList before = actions;
    EXPECT_FALSE(storeShot(actions, 3, 100, {1, true}, {1, true}));
    EXPECT_EQ(actions, before);
    EXPECT_FALSE(loadShot(actions, 3));
}

TEST(PatternShot, AnActionOfAnotherKindLeavesItsAxisUnread) {
    PatternList actions = fullPattern();
    actions[6 + 4] = *parseMacroAction("0,0,129,1,1,mouse_key_left");
    actions[6 + 5] = *parseMacroAction("0,0,4,5,0,mouse_move_to_right_text");  // x in y's place
    const Shot shot = *loadShot(actions, 1);
    EXPECT_FALSE(shot.x);
    EXPECT_FALSE(shot.y);
}

TEST(PatternImage, FourFullPatternsMake2920Bytes) {
    const std::vector<PatternList> four(4, fullPattern());
    const ActionTableBuild build = buildPatternImage(four);
    ASSERT_EQ(build.result, ActionTableResult::ok);
    EXPECT_EQ(build.image.size(), 2920u);
    EXPECT_EQ(build.image[2] | build.image[3] << 8, 2920);

    const std::vector<PatternList> five(5, PatternList{});
    EXPECT_EQ(buildPatternImage(five).result, ActionTableResult::tooManyLists);
    std::vector<PatternList> big(4, fullPattern());
    big[3].resize(big[3].size() + 40);  // 3080 bytes
    EXPECT_EQ(buildPatternImage(big).result, ActionTableResult::tooLarge);
}

TEST(PatternImage, ReadBackNamesEveryActionByItsKind) {
    PatternList list;
    for (const char* text :
         {"0,0,129,2,1,mouse_key_right", "0,0,132,3,1,mouse_move_to_left_text",
          "0,0,5,7,0,mouse_move_to_down_text", "0,0,7,1,0,x", "0,0,137,2,1,y", "0,0,138,4,1,z"})
        list.push_back(*parseMacroAction(text));
    const auto image = buildPatternImage(std::vector<PatternList>{list});
    ASSERT_EQ(image.result, ActionTableResult::ok);
    const auto back = readPatternImage(image.image);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 1u);
    const PatternList& a = back->front();
    EXPECT_EQ(a[0].name, "mouse_key_right");
    EXPECT_EQ(a[0].pressed, 1);
    EXPECT_EQ(a[1].name, "mouse_move_to_left_text");
    EXPECT_EQ(a[2].name, "mouse_move_to_down_text");
    EXPECT_EQ(a[2].pressed, 0);
    EXPECT_EQ(a[3].name, "mouse_move_to_down_text");  // unknown kind: the previous name
    EXPECT_EQ(a[4].name, "keyboard_key_LShift");
    EXPECT_EQ(a[5].name, "keyboard_key_A");
}

TEST(PatternImage, AnImageWithABadSizeOrCountIsRefused) {
    const auto good = buildPatternImage(std::vector<PatternList>(2, fullPattern())).image;
    ASSERT_TRUE(readPatternImage(good));
    auto bigger = good;
    bigger[2] = 0x01;  // size 0x0C01: past the memory
    bigger[3] = 0x0C;
    EXPECT_FALSE(readPatternImage(bigger));
    auto fivePatterns = good;
    fivePatterns[4] = 5;
    EXPECT_FALSE(readPatternImage(fivePatterns));
    auto longList = good;
    longList[16 + 4] = 181;  // the first block claims 181 actions
    EXPECT_FALSE(readPatternImage(longList));
    auto noMarker = good;
    noMarker[0] = 0;
    EXPECT_FALSE(readPatternImage(noMarker));
}

TEST(PatternImage, FuzzSeedsRunThroughTheTarget) {
    const auto corpus = std::filesystem::path(QUILLON_SOURCE_DATA_DIR).parent_path() / "fuzz" /
                        "corpus" / "pattern_image";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        EXPECT_EQ(
            fuzzPatternImage(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0)
            << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 4);
}

}  // namespace
}  // namespace quillon::keys
