#pragma once

// One shot of a movement pattern as the shot editor sees it. A pattern is an
// action list in the macro file form; shot s owns actions 6s .. 6s+5, of which
// the editor reads and writes the last three: the pause (6s+3), the horizontal
// move (6s+4) and the vertical move (6s+5). The others pass through.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "keys/macro_action.h"

namespace quillon::keys {

inline constexpr int kPatternShots = 30;
inline constexpr std::size_t kActionsPerShot = 6;
inline constexpr std::size_t kMaxPatternActions = kPatternShots * kActionsPerShot;

inline constexpr std::string_view kMoveLeftText = "mouse_move_to_left_text";
inline constexpr std::string_view kMoveRightText = "mouse_move_to_right_text";
inline constexpr std::string_view kMoveUpText = "mouse_move_to_up_text";
inline constexpr std::string_view kMoveDownText = "mouse_move_to_down_text";

struct ShotMove {
    std::uint8_t distance = 0;
    bool negative = false;  // left or up
    bool operator==(const ShotMove&) const = default;
};

struct Shot {
    std::uint32_t pauseMs = 0;
    // Absent when the action is not a move of its axis: the editor leaves
    // its controls as they are.
    std::optional<ShotMove> x;
    std::optional<ShotMove> y;
};

// nullopt when the shot is outside the list (a short or missing file).
std::optional<Shot> loadShot(std::span<const MacroAction> actions, int shot);

// Writes the shot's pause (in 10 ms units, the rest of that action kept) and
// both moves. False, nothing changed, when the list does not hold the shot:
// the action count never changes.
bool storeShot(std::vector<MacroAction>& actions, int shot, std::uint32_t pauseMs, ShotMove x,
               ShotMove y);

}  // namespace quillon::keys
