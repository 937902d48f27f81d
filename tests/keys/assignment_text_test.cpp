// Key assignments as quillonctl reads and prints them, and the fuzz target's seeds.

#include "keys/assignment_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#define LLVMFuzzerTestOneInput fuzzAssignmentText
#include "../../fuzz/fuzz_assignment_text.cpp"
#undef LLVMFuzzerTestOneInput

namespace quillon::keys {
namespace {

KeyAssignment parsed(std::string_view text) {
    std::string error;
    const auto a = parseAssignmentText(text, &error);
    EXPECT_TRUE(a) << text << ": " << error;
    return a ? a->assignment : KeyAssignment{};
}

TEST(AssignmentText, ReadsEveryFunctionWithTheDeviceBytes) {
    EXPECT_EQ(parsed("key:LCtrl+C"), keyboardKey(0x06, kModLeftCtrl));
    EXPECT_EQ(parsed("key:lshift+num +"), keyboardKey(0x57, kModLeftShift));
    EXPECT_EQ(parsed("key:LCtrl+RAlt"), keyboardKey(0, kModLeftCtrl | kModRightAlt));
    EXPECT_EQ(parsed("mouse:left"), (KeyAssignment{FN_MOUSE_BUTTON, 0x01, 0}));
    EXPECT_EQ(parsed("hscroll:right,5,2,3"), (KeyAssignment{FN_HSCROLL, 0x23, 0x85}));
    EXPECT_EQ(parsed("vscroll:down,3"), (KeyAssignment{FN_VSCROLL, 0x00, 0xFD}));
    EXPECT_EQ(parsed("dpi:up"), (KeyAssignment{FN_DPI, 1, 0}));
    EXPECT_EQ(parsed("fire:10,3"), (KeyAssignment{FN_FIRE, 10, 3}));
    EXPECT_EQ(parsed("media:play"), (KeyAssignment{FN_CONSUMER, 0xCD, 0x00}));
    EXPECT_EQ(parsed("system:sleep"), (KeyAssignment{FN_SYSTEM, 0x02, 0}));
    EXPECT_EQ(parsed("macro:2,0"), (KeyAssignment{FN_MACRO, 2, 0}));
    EXPECT_EQ(parsed("macro-count:2,5"), (KeyAssignment{FN_MACRO_COUNT, 2, 5}));
    EXPECT_EQ(parsed("gun:1"), (KeyAssignment{FN_GUN, 0, 0}));
    EXPECT_TRUE(parseAssignmentText("DEFAULT")->factoryDefault);
}

TEST(AssignmentText, RefusesWhatNoEditorCouldMake) {
    for (std::string_view bad :
         {"", "key:", "key:A+B", "key:LCtrl+", "key:Power", "mouse:side", "hscroll:right,128",
          "vscroll:up,1,16,0", "hscroll:right", "fire:10,0", "fire:256,1", "macro:50,0",
          "macro:1,4", "gun:0", "gun:5", "dpi", "sound:on"}) {
        std::string error;
        EXPECT_FALSE(parseAssignmentText(bad, &error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(AssignmentText, FuzzSeedsRunThroughTheTarget) {
    const auto corpus = std::filesystem::path(QUILLON_SOURCE_DATA_DIR).parent_path() / "fuzz" /
                        "corpus" / "assignment_text";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        EXPECT_EQ(
            fuzzAssignmentText(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
            0)
            << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 10);
}

}  // namespace
}  // namespace quillon::keys
