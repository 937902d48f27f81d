#include "shell/control_name.h"

#include <gtest/gtest.h>

namespace quillon::shell {
namespace {

TEST(ControlNameSplit, NumberAfterTheLastUnderscoreIsTheIndex) {
    const SplitName s = splitControlName("kb_key_17");
    EXPECT_TRUE(s.split);
    EXPECT_EQ(s.prefix, "kb_key_");
    EXPECT_EQ(s.index, 17);
    EXPECT_EQ(splitControlName("ms_DPI_color_btn_3").prefix, "ms_DPI_color_btn_");
    EXPECT_EQ(splitControlName("ms_DPI_color_btn_3").index, 3);
    EXPECT_EQ(splitControlName("kb_dkey_007").index, 7);
}

TEST(ControlNameSplit, NothingOrTextAfterTheUnderscoreGivesIndexZero) {
    const SplitName empty = splitControlName("kb_key_");
    EXPECT_TRUE(empty.split);
    EXPECT_EQ(empty.prefix, "kb_key_");
    EXPECT_EQ(empty.index, 0);
    const SplitName word = splitControlName("kb_key_butt_keysave");
    EXPECT_EQ(word.prefix, "kb_key_butt_");
    EXPECT_EQ(word.index, 0);
    EXPECT_EQ(splitControlName("ms_key_1a").index, 0);
    EXPECT_EQ(splitControlName("ms_key_-1").index, 0);
}

TEST(ControlNameSplit, NameWithoutUnderscoreIsNotSplit) {
    const SplitName s = splitControlName("closebtn");
    EXPECT_FALSE(s.split);
    EXPECT_TRUE(s.prefix.empty());
    EXPECT_FALSE(splitControlName("").split);
}

TEST(ControlNameSplit, HugeNumbersSaturateInsteadOfWrappingToASmallIndex) {
    EXPECT_EQ(splitControlName("kb_key_4294967313").index, kIndexTooLarge);  // 2^32 + 17
    EXPECT_EQ(splitControlName("kb_key_99999999999999999999999").index, kIndexTooLarge);
}

TEST(ControlNameCompare, IgnoresAsciiCaseOnly) {
    EXPECT_TRUE(equalsIgnoringCase("MS_Key_", "ms_key_"));
    EXPECT_FALSE(equalsIgnoringCase("ms_key", "ms_key_"));
    EXPECT_FALSE(equalsIgnoringCase("ms_kex_", "ms_key_"));
}

}  // namespace
}  // namespace quillon::shell
