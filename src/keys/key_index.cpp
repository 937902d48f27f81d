#include "keys/key_index.h"

#include <algorithm>

namespace quillon::keys {

KeyIndexTable buildKeyIndex(const KeyMap& factoryMap, int keyCount) {
    KeyIndexTable table = emptyKeyIndex();
    const std::size_t slots =
        static_cast<std::size_t>(std::clamp(keyCount, 0, int(kMaxKeyboardKeys)));
    for (std::size_t p = 0; p < kKeyPositions; ++p) {
        for (std::size_t s = 0; s < slots; ++s) {
            if (assignmentAt(factoryMap, s) == LayoutDefaults[p]) {
                table[p] = static_cast<std::uint16_t>(s);
                break;
            }
        }
    }
    return table;
}

std::optional<std::size_t> slotOfPosition(const KeyIndexTable& table, std::size_t position) {
    if (position >= table.size() || table[position] == kNoSlot)
        return std::nullopt;
    return table[position];
}

std::optional<std::size_t> positionOfSlot(const KeyIndexTable& table, std::size_t slot) {
    const auto it = std::find(table.begin(), table.end(), slot);
    if (slot == kNoSlot || it == table.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - table.begin());
}

}  // namespace quillon::keys
