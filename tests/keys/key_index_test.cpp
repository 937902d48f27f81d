// Which key slot each on-screen position shows, derived from the emulated
// keyboards' factory maps.

#include "keys/key_index.h"

#include <gtest/gtest.h>

#include <set>

#include "emu/factory_keymap.h"
#include "keys/key_name_table.h"

namespace quillon::keys {
namespace {

KeyMap factoryMap(std::uint8_t variant) {
    return emu::factoryKeymapImage(emu::factoryKeys(link::DeviceKind::keyboard, variant));
}

constexpr std::size_t kIsoPosition = 102;
constexpr std::size_t kRightWinPosition = 125;

TEST(LayoutDefaults, HasSixRowsWithTheLayerKeyAndTheExtraKeys) {
    EXPECT_EQ(LayoutDefaults.size(), 6 * kKeyPositionsPerRow);
    EXPECT_EQ(LayoutDefaults[0], keyboardKey(0x29));   // Esc
    EXPECT_EQ(LayoutDefaults[21], keyboardKey(0x35));  // grave accent starts row 2
    EXPECT_EQ(LayoutDefaults[75], keyboardKey(0x28));  // Enter
    EXPECT_EQ(LayoutDefaults[110], (KeyAssignment{FN_LAYER, 0x02, 0x02}));
    EXPECT_EQ(LayoutDefaults[kIsoPosition], keyboardKey(0x64));
    EXPECT_EQ(LayoutDefaults[kRightWinPosition], keyboardKey(0, kModRightWin));
    EXPECT_EQ(LayoutDefaults[16], keyboardKey(0));
}

TEST(KeyIndex, TheMechanicalKeyboardShowsEachSlotOnceAndLeavesItsMissingKeysEmpty) {
    const KeyIndexTable index = buildKeyIndex(factoryMap(0), 104);
    std::set<std::size_t> slots;
    for (std::size_t p = 0; p < kKeyPositions; ++p)
        if (auto slot = slotOfPosition(index, p))
            slots.insert(*slot);
    EXPECT_EQ(slots.size(), 104u);
    EXPECT_EQ(slotOfPosition(index, 0), 0u);     // Esc is the first slot
    EXPECT_EQ(slotOfPosition(index, 110), 94u);  // layer key
    EXPECT_EQ(slotOfPosition(index, kIsoPosition), std::nullopt);
    EXPECT_EQ(slotOfPosition(index, kRightWinPosition), std::nullopt);
    EXPECT_EQ(slotOfPosition(index, 16), std::nullopt);  // an empty position
    EXPECT_EQ(positionOfSlot(index, 94), 110u);
    EXPECT_EQ(positionOfSlot(index, 150), std::nullopt);
    EXPECT_EQ(slotOfPosition(index, 126), std::nullopt);
}

TEST(KeyIndex, TheMembraneKeyboardShowsItsExtraKeysAndAnotherKeyboardDropsThem) {
    const KeyIndexTable membrane = buildKeyIndex(factoryMap(2), 106);
    EXPECT_EQ(slotOfPosition(membrane, kIsoPosition), 104u);
    EXPECT_EQ(slotOfPosition(membrane, kRightWinPosition), 105u);
    // Counting only the first 104 slots hides them; a smaller keyboard that
    // arrives later gives them no slot (none past its own keys).
    const KeyIndexTable shorter = buildKeyIndex(factoryMap(2), 104);
    EXPECT_EQ(slotOfPosition(shorter, kIsoPosition), std::nullopt);
    EXPECT_EQ(buildKeyIndex(factoryMap(0), 104), shorter);
}

TEST(KeyIndex, EmptyPositionsTakeTheFirstSlotWithoutAFunction) {
    KeyMap map = factoryMap(0);
    ASSERT_TRUE(setAssignment(map, 7, keyboardKey(0)));  // F7's slot now holds no function
    const KeyIndexTable index = buildKeyIndex(map, 104);
    EXPECT_EQ(slotOfPosition(index, 7), std::nullopt);
    EXPECT_EQ(slotOfPosition(index, 16), 7u);
    EXPECT_EQ(slotOfPosition(index, 120), 7u);
    EXPECT_EQ(positionOfSlot(index, 7), 16u);
    // A slot past the key count is never taken, whatever the map holds there.
    EXPECT_EQ(buildKeyIndex(map, 0), emptyKeyIndex());
    EXPECT_EQ(buildKeyIndex(map, 1000), index);
}

}  // namespace
}  // namespace quillon::keys
