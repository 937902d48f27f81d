// Macro actions in their text, device and list-row forms.

#include "keys/macro_action.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#define LLVMFuzzerTestOneInput fuzzMacroAction
#include "../../fuzz/fuzz_macro_action.cpp"
#undef LLVMFuzzerTestOneInput

namespace quillon::keys {
namespace {

TEST(MacroActionText, ReadsFromTheRightAndWritesBackTheSameText) {
    const auto press = parseMacroAction("150,0,138,4,1,keyboard_key_A");
    ASSERT_TRUE(press);
    EXPECT_EQ(press->delayLow, 150);
    EXPECT_EQ(press->delayHigh, 0);
    EXPECT_EQ(press->kind, 138);
    EXPECT_EQ(press->code, 4);
    EXPECT_EQ(press->pressed, 1);
    EXPECT_EQ(press->name, "keyboard_key_A");
    EXPECT_EQ(formatMacroAction(*press), "150,0,138,4,1,keyboard_key_A");

    // Fields left of the last six are not ours; the name may be empty.
    const auto extra = parseMacroAction("9,9,1,2,133,4,0,");
    ASSERT_TRUE(extra);
    EXPECT_EQ(extra->delayLow, 1);
    EXPECT_EQ(extra->kind, 133);
    EXPECT_EQ(extra->code, 4);
    EXPECT_EQ(extra->name, "");
    // A translated name with blanks and UTF-8 stays whole.
    const auto named = parseMacroAction("0,0,129,1,1,Linke Taste \xc3\xa4");
    ASSERT_TRUE(named);
    EXPECT_EQ(named->name, "Linke Taste \xc3\xa4");
}

TEST(MacroActionText, RefusesTextsItCannotReadWhole) {
    EXPECT_FALSE(parseMacroAction(""));
    EXPECT_FALSE(parseMacroAction("keyboard_key_A"));
    EXPECT_FALSE(parseMacroAction("0,138,4,1,keyboard_key_A"));  // four numbers
    EXPECT_FALSE(parseMacroAction("0,0,138,4,1"));               // the name took "1"
    EXPECT_FALSE(parseMacroAction("256,0,138,4,1,x"));           // not a byte
    EXPECT_FALSE(parseMacroAction("0,0,138,4,65536,x"));
    EXPECT_FALSE(parseMacroAction("-1,0,138,4,1,x"));
    EXPECT_FALSE(parseMacroAction("0,0,13x,4,1,x"));
    EXPECT_FALSE(parseMacroAction("0,,138,4,1,x"));
    EXPECT_TRUE(parseMacroAction(" 0, 0,138 ,4,65535,x"));
}

TEST(MacroActionPause, TenMillisecondUnitsRoundedDownAndCapped) {
    EXPECT_EQ(macroPauseUnitsForMs(1234), 123);
    EXPECT_EQ(macroPauseUnitsForMs(1500), 150);
    EXPECT_EQ(macroPauseUnitsForMs(9), 0);
    EXPECT_EQ(macroPauseUnitsForMs(20ull * 60 * 1000), 65535);  // twenty minutes
    MacroAction a;
    a.setPauseUnits(macroPauseUnitsForMs(1234));
    EXPECT_EQ(a.delayLow, 123);
    EXPECT_EQ(a.delayHigh, 0);
    EXPECT_EQ(a.pauseMs(), 1230u);
    a.setPauseUnits(0x1234);
    EXPECT_EQ(a.delayLow, 0x34);
    EXPECT_EQ(a.delayHigh, 0x12);
    a.setPauseUnits(kMaxMacroPauseUnits);
    EXPECT_EQ(a.pauseMs(), 655350u);
}

TEST(MacroActionDevice, FourBytesAndBackWithPressedFromBitSeven) {
    const auto up = *parseMacroAction("5,1,133,20,1,mouse_move_to_up_text");
    const MacroActionBytes bytes = macroActionDeviceBytes(up);
    EXPECT_EQ(bytes, (MacroActionBytes{5, 1, 0x85, 20}));
    const MacroAction back = macroActionFromDeviceBytes(bytes);
    EXPECT_EQ(back.pauseUnits(), 261);
    EXPECT_EQ(back.pressed, 1);
    EXPECT_TRUE(back.isMove());
    EXPECT_EQ(macroActionFromDeviceBytes({0, 0, 0x0A, 4}).pressed, 0);
}

TEST(MacroActionRow, LabelsFollowKindAndPressState) {
    const auto move = macroActionRow(*parseMacroAction("5,0,4,20,0,mouse_move_to_right_text"));
    EXPECT_EQ(move.stateText, "20");
    EXPECT_EQ(move.stateStyle, kMacroLabelTextStyle);
    EXPECT_EQ(move.nameStyle, kMacroLabelMouseStyle);
    EXPECT_EQ(move.pauseText, "50");

    const auto keyDown = macroActionRow(*parseMacroAction("150,0,138,4,1,keyboard_key_A"));
    EXPECT_EQ(keyDown.stateText, "\u25BC");
    EXPECT_EQ(keyDown.stateStyle, kMacroLabelDownStyle);
    EXPECT_EQ(keyDown.nameText, "keyboard_key_A");
    EXPECT_EQ(keyDown.nameStyle, kMacroLabelKeyboardStyle);
    EXPECT_EQ(keyDown.pauseText, "1500");

    const auto modifierUp = macroActionRow(*parseMacroAction("0,0,9,2,0,keyboard_key_LShift"));
    EXPECT_EQ(modifierUp.stateStyle, kMacroLabelUpStyle);
    EXPECT_EQ(modifierUp.nameStyle, kMacroLabelKeyboardStyle);
    EXPECT_EQ(macroActionRow(*parseMacroAction("0,0,129,1,1,mouse_key_left")).nameStyle,
              kMacroLabelMouseStyle);
}

TEST(MacroActionText, FuzzSeedsRunThroughTheTarget) {
    const auto corpus = std::filesystem::path(QUILLON_SOURCE_DATA_DIR).parent_path() / "fuzz" /
                        "corpus" / "macro_action";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        EXPECT_EQ(
            fuzzMacroAction(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0)
            << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 4);
}

}  // namespace
}  // namespace quillon::keys
