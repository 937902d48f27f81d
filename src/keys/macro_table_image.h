#pragma once

// The table image the device plays macros from, and whose layout the mouse's
// movement patterns share (little-endian):
//   0  u16 0x55AA            2  u16 total size       4  u16 number of lists n
//   6  10 reserved bytes     16 n × u16 offset of each list's block
//   then per list: u16 action count, 2 reserved bytes, 4 device bytes per action.
// Reserved bytes are zero. Sizes are reckoned in 32 bits and checked against
// the device's memory before anything is written into the 16-bit field.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "keys/macro.h"
#include "keys/macro_action.h"

namespace quillon::keys {

inline constexpr std::uint16_t kActionTableMagic = 0x55AA;
inline constexpr std::size_t kActionTableHeaderBytes = 16;
inline constexpr std::size_t kActionBlockHeaderBytes = 4;
// What the 16-bit size field can state.
inline constexpr std::size_t kMaxActionTableBytes = 0xFFFF;

enum class [[nodiscard]] ActionTableResult{
    ok,
    empty,         // no lists: there is no image to send
    tooManyLists,  // more lists than the device takes
    tooLarge,      // bigger than the device's memory
};

struct ActionTableBuild {
    ActionTableResult result = ActionTableResult::empty;
    std::vector<std::uint8_t> image;  // filled when ok
    std::uint32_t size = 0;           // the size the lists need, also when too large
};

// 16 + 2n + Σ (4 + 4 × actions), in 32 bits.
std::uint32_t actionTableSize(std::span<const std::span<const MacroAction>> lists);

ActionTableBuild buildActionTableImage(std::span<const std::span<const MacroAction>> lists,
                                       std::size_t maxLists, std::size_t memoryBytes);

// The macro table of one device kind's store, in store order. `memoryBytes`
// is the device's macro memory (DeviceInfo byte 6 × 128).
ActionTableBuild buildMacroTableImage(std::span<const Macro> macros, std::size_t memoryBytes);

// Lists read back from an image (a device's or a file's), every size, count
// and offset checked: nullopt unless the magic is there, 16 ≤ size ≤ the
// bytes given and `memoryBytes`, at most `maxLists` lists of at most
// `maxActions` actions, and every block lies inside the image.
std::optional<std::vector<std::vector<MacroActionBytes>>> readActionTableImage(
    std::span<const std::uint8_t> image, std::size_t maxLists, std::size_t maxActions,
    std::size_t memoryBytes);

}  // namespace quillon::keys
