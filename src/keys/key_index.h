#pragma once

// Which key slot each on-screen keyboard position shows, found by looking up
// the position's factory assignment in the keyboard's own factory map.

#include <array>
#include <cstdint>
#include <optional>

#include "keys/key_map.h"
#include "keys/layout_defaults.h"

namespace quillon::keys {

// "No slot". Distinct from every slot a 170-key map can have.
inline constexpr std::uint16_t kNoSlot = 0xFFFF;

using KeyIndexTable = std::array<std::uint16_t, kKeyPositions>;

constexpr KeyIndexTable emptyKeyIndex() {
    KeyIndexTable t{};
    t.fill(kNoSlot);
    return t;
}

// For each position, the first of slots 0 .. keyCount-1 of `factoryMap`
// holding the position's LayoutDefaults entry. Positions without one have no
// slot, also when an earlier keyboard gave them one.
KeyIndexTable buildKeyIndex(const KeyMap& factoryMap, int keyCount);

std::optional<std::size_t> slotOfPosition(const KeyIndexTable& table, std::size_t position);
// The first position that shows the slot.
std::optional<std::size_t> positionOfSlot(const KeyIndexTable& table, std::size_t slot);

}  // namespace quillon::keys
