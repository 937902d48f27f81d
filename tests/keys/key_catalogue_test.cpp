// The function catalogue: the key-name table, the selector tables, the scroll
// encoding and the key codes of the input backends.

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <set>
#include <utility>

#include "keys/function_selectors.h"
#include "keys/key_name_table.h"
#include "keys/scroll_step.h"
#include "platform/input/key_codes.h"

namespace quillon::keys {
namespace {

TEST(KeyNameTable, HoldsTheKeyboardKeysThenConsumerAndSystemEntries) {
    ASSERT_EQ(kKeyNameTable.size(), 125u);
    std::set<std::pair<int, int>> params;
    for (std::size_t i = 0; i < kKeyboardKeyNameCount; ++i) {
        EXPECT_EQ(kKeyNameTable[i].assignment.type, FN_KEY) << i;
        params.insert({kKeyNameTable[i].assignment.p1, kKeyNameTable[i].assignment.p2});
    }
    EXPECT_EQ(params.size(), kKeyboardKeyNameCount) << "two keyboard keys make the same bytes";
    EXPECT_EQ(kKeyNameTable[0].languageKey, "keyboard_key_LCtrl");
    EXPECT_EQ(kKeyNameTable[53].languageKey, "keyboard_key_xiegang");
    EXPECT_EQ(kKeyNameTable[56].languageKey, "keyboard_key_`");
    EXPECT_EQ(kKeyNameTable[103].assignment, keyboardKey(0x65));  // App, after the 0x64 gap
    EXPECT_EQ(kKeyNameTable[104].assignment, (KeyAssignment{FN_CONSUMER, 0x92, 0x01}));
    EXPECT_EQ(kKeyNameTable[124].assignment, (KeyAssignment{FN_SYSTEM, 0x04, 0}));
    EXPECT_EQ(findKeyByParams(keyboardKey(0x32)), nullptr);  // usage 0x32 has no entry
}

TEST(KeyNameTable, LookupsFindTheFirstMatchingEntry) {
    EXPECT_EQ(findKeyByVirtualKey(kVkReturn)->assignment, keyboardKey(0x28));
    EXPECT_EQ(findKeyByVirtualKey(kVkKeypadEnter)->assignment, keyboardKey(0x58));
    // Entries 120 and 121 are the same; a lookup finds 120.
    EXPECT_EQ(findKeyByVirtualKey(0xB5), &kKeyNameTable[120]);
    EXPECT_EQ(findKeyByParams(consumerUsage(0x0183)), &kKeyNameTable[120]);
    EXPECT_EQ(findKeyByVirtualKey(0x07), nullptr);
    EXPECT_EQ(findKeyboardKeyByName("lctrl"), &kKeyNameTable[0]);
    EXPECT_EQ(findKeyboardKeyByName("Num Enter")->virtualKey, kVkKeypadEnter);
    EXPECT_EQ(findKeyboardKeyByName("Power"), nullptr);  // not a keyboard key
    EXPECT_FALSE(isKeyboardKey(*findKeyByVirtualKey(kVkSleep)));
}

TEST(KeyCodes, EveryKeyboardKeyCanBeTypedAndKeypadEnterIsItsOwnKey) {
    std::set<std::uint16_t> reachable;
    for (std::uint16_t code = 0; code < KEY_MAX; ++code)
        if (auto vk = platform::virtualKeyFromEvdev(code))
            reachable.insert(*vk);
    for (std::size_t i = 0; i < kKeyboardKeyNameCount; ++i)
        EXPECT_TRUE(reachable.count(kKeyNameTable[i].virtualKey)) << kKeyNameTable[i].languageKey;
    EXPECT_EQ(platform::virtualKeyFromEvdev(KEY_KPENTER), kVkKeypadEnter);
    EXPECT_EQ(platform::virtualKeyFromEvdev(KEY_ENTER), kVkReturn);
    EXPECT_EQ(platform::virtualKeyFromX11Keycode(KEY_ENTER + 8), kVkReturn);
    EXPECT_EQ(platform::virtualKeyFromX11Keycode(KEY_A + 8), 0x41);
    EXPECT_FALSE(platform::virtualKeyFromX11Keycode(3));
    EXPECT_FALSE(platform::virtualKeyFromEvdev(BTN_LEFT));
}

TEST(FunctionSelectors, ItemsCarryTheDeviceCodes) {
    EXPECT_EQ(kMouseButtonSelector[1].assignment, (KeyAssignment{FN_MOUSE_BUTTON, 0x04, 0}));
    EXPECT_EQ(kMouseButtonSelector[4].assignment.p1, 0x08);
    EXPECT_EQ(kDpiSelector[2].assignment, (KeyAssignment{FN_DPI, 3, 0}));
    ASSERT_EQ(kMultimediaSelector.size(), 18u);
    EXPECT_EQ(kMultimediaSelector[8].assignment, (KeyAssignment{FN_CONSUMER, 0x23, 0x02}));
    EXPECT_EQ(kMultimediaSelector[17].label, "media_mail");
    EXPECT_EQ(kSystemSelector[2].assignment.p1, 0x04);
    EXPECT_EQ(kMovementPatternSelector[3].label, "GUN_4");
    for (std::span<const SelectorEntry> s : {std::span<const SelectorEntry>(kMouseButtonSelector),
                                             std::span<const SelectorEntry>(kDpiSelector),
                                             std::span<const SelectorEntry>(kMultimediaSelector),
                                             std::span<const SelectorEntry>(kSystemSelector)})
        for (std::size_t i = 0; i < s.size(); ++i)
            EXPECT_EQ(s[i].item, i);
    // The type is not compared: the alternative consumer type finds its label too.
    EXPECT_EQ(findSelectorEntry(selectorOf(FN_CONSUMER_ALT), {FN_CONSUMER_ALT, 0xCD, 0x00})->label,
              "media_play");
    EXPECT_EQ(findSelectorEntry(kSystemSelector, {FN_SYSTEM, 0x03, 0}), nullptr);
}

TEST(FunctionSelectors, MainItemsDifferBetweenKeyboardAndMouse) {
    EXPECT_EQ(mainItemOf(kKeyboardMainItems, FN_KEY), 1);
    EXPECT_EQ(mainItemOf(kMouseMainItems, FN_KEY), 6);
    EXPECT_EQ(mainItemOf(kKeyboardMainItems, FN_MACRO_COUNT), 9);
    EXPECT_EQ(mainItemOf(kMouseMainItems, FN_GUN), 10);
    EXPECT_EQ(mainItemOf(kKeyboardMainItems, FN_GUN), std::nullopt);
    EXPECT_EQ(mainItemOf(kMouseMainItems, FN_LAYER), std::nullopt);
}

TEST(ScrollStep, EncodesDirectionAmountAndNibblesAndReadsThemBack) {
    const ScrollStep right5{true, 5, 2, 3};
    EXPECT_EQ(horizontalScroll(right5), (KeyAssignment{FN_HSCROLL, 0x23, 0x85}));
    EXPECT_EQ(scrollStepOf(horizontalScroll(right5)), right5);

    const ScrollStep down3{true, 3, 0, 0};
    EXPECT_EQ(verticalScroll(down3).p2, 0xFD);
    EXPECT_EQ(scrollStepOf(verticalScroll(down3)), down3);
    EXPECT_EQ(scrollStepOf(verticalScroll({false, 127, 15, 15})), (ScrollStep{false, 127, 15, 15}));
    EXPECT_EQ(scrollStepOf(verticalScroll({true, 127, 0, 0})).amount, 127);

    // Values past their fields are held at the limits, never spill into the
    // direction bit or the other nibble.
    EXPECT_EQ(horizontalScroll({false, 200, 16, 99}), (KeyAssignment{FN_HSCROLL, 0xFF, 0x7F}));
}

}  // namespace
}  // namespace quillon::keys
