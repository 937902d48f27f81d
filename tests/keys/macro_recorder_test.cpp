// Recording macros from input events: rows, pauses and what is left out.

#include "keys/macro_recorder.h"

#include <gtest/gtest.h>

namespace quillon::keys {
namespace {

using platform::InputButton;
using platform::InputEvent;

constexpr std::uint16_t kVkA = 0x41;
constexpr std::uint16_t kVkLShift = 0xA0;

InputEvent key(std::uint16_t vk, bool pressed, std::uint64_t ms) {
    InputEvent e;
    e.type = InputEvent::Type::key;
    e.virtualKey = vk;
    e.pressed = pressed;
    e.timeMs = ms;
    return e;
}

InputEvent button(InputButton b, bool pressed, std::uint64_t ms) {
    InputEvent e;
    e.type = InputEvent::Type::button;
    e.button = b;
    e.pressed = pressed;
    e.timeMs = ms;
    return e;
}

std::vector<std::string> texts(const std::vector<MacroAction>& actions) {
    std::vector<std::string> t;
    for (const MacroAction& a : actions)
        t.push_back(formatMacroAction(a));
    return t;
}

TEST(MacroRecording, HoldingAKeyRecordsOnePressAndOneReleaseWithThePauseBetween) {
    MacroRecording recording;
    recording.begin({}, 0);
    std::vector<MacroAction> rows;
    EXPECT_TRUE(recording.record(rows, key(kVkA, true, 1000), {}));
    for (std::uint64_t t = 1500; t < 2500; t += 33)
        EXPECT_FALSE(recording.record(rows, key(kVkA, true, t), {})) << "auto-repeat at " << t;
    EXPECT_TRUE(recording.record(rows, key(kVkA, false, 2500), {}));
    EXPECT_EQ(texts(rows), (std::vector<std::string>{"150,0,138,4,1,keyboard_key_A",
                                                     "0,0,10,4,0,keyboard_key_A"}));
    EXPECT_EQ(macroActionRow(rows[0]).pauseText, "1500");

    // The key can be pressed again after its release; a modifier records its mask.
    EXPECT_TRUE(recording.record(rows, key(kVkLShift, true, 2504), {}));
    EXPECT_TRUE(recording.record(rows, key(kVkA, true, 2600), {}));
    EXPECT_EQ(formatMacroAction(rows[2]), "9,0,137,2,1,keyboard_key_LShift");
    EXPECT_EQ(rows[1].pauseUnits(), 0);
}

TEST(MacroRecording, PausesAreFixedOrCappedAndUnknownKeysLeaveNoRow) {
    MacroRecording recording;
    recording.begin({.keys = true, .buttons = false, .fixedPause = true}, 0);
    std::vector<MacroAction> rows;
    (void)recording.record(rows, key(kVkA, true, 10), {});
    (void)recording.record(rows, key(kVkA, false, 9000), {});
    EXPECT_EQ(rows[0].pauseUnits(), kFixedRecordedPauseUnits);

    recording.begin({}, 0);
    rows.clear();
    (void)recording.record(rows, key(kVkA, true, 5), {});
    EXPECT_FALSE(recording.record(rows, key(0, true, 6), {})) << "a key without a name";
    EXPECT_FALSE(recording.record(rows, button(InputButton::left, true, 7), {}))
        << "buttons not asked for";
    (void)recording.record(rows, key(kVkA, false, 5 + 20 * 60 * 1000), {});  // twenty minutes
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].pauseUnits(), 65535);
}

TEST(MacroRecording, ButtonsKeepTheirShownNameAndRepeatedMessagesAreDropped) {
    MacroRecording recording;
    recording.begin({.keys = false, .buttons = true, .fixedPause = false}, 0);
    std::vector<MacroAction> rows;
    auto shown = [](std::string_view key) { return "<" + std::string(key) + ">"; };
    EXPECT_TRUE(recording.record(rows, button(InputButton::left, true, 100), shown));
    EXPECT_FALSE(recording.record(rows, button(InputButton::left, true, 150), shown));
    EXPECT_FALSE(recording.record(rows, button(InputButton::forward, true, 160), shown));
    EXPECT_FALSE(recording.record(rows, key(kVkA, true, 170), shown)) << "keys not asked for";
    EXPECT_TRUE(recording.record(rows, button(InputButton::left, false, 345), shown));
    EXPECT_TRUE(recording.record(rows, button(InputButton::right, true, 400), shown));
    EXPECT_EQ(texts(rows), (std::vector<std::string>{"24,0,129,1,1,<mouse_key_left>",
                                                     "5,0,1,1,0,<mouse_key_left>",
                                                     "0,0,129,2,1,<mouse_key_right>"}));
}

}  // namespace
}  // namespace quillon::keys
