#include "keys/pattern_shot.h"

#include <string>

namespace quillon::keys {

namespace {

constexpr std::size_t kPauseAction = 3;
constexpr std::size_t kMoveXAction = 4;
constexpr std::size_t kMoveYAction = 5;

bool holds(std::size_t size, int shot) {
    return shot >= 0 && shot < kPatternShots &&
           std::size_t(shot) * kActionsPerShot + kActionsPerShot <= size;
}

std::optional<ShotMove> moveOf(const MacroAction& a, MacroActionKind axis) {
    if (a.baseKind() != std::uint8_t(axis))
        return std::nullopt;
    return ShotMove{a.code, a.pressBit()};
}

MacroAction moveAction(MacroActionKind axis, ShotMove move) {
    MacroAction a;
    a.kind = std::uint8_t(std::uint8_t(axis) | (move.negative ? kMacroPressBit : 0));
    a.code = move.distance;
    a.pressed = move.negative ? 1 : 0;
    const bool x = axis == MacroActionKind::moveX;
    a.name = std::string(x ? (move.negative ? kMoveLeftText : kMoveRightText)
                           : (move.negative ? kMoveUpText : kMoveDownText));
    return a;
}

}  // namespace

std::optional<Shot> loadShot(std::span<const MacroAction> actions, int shot) {
    if (!holds(actions.size(), shot))
        return std::nullopt;
    const std::size_t first = std::size_t(shot) * kActionsPerShot;
    Shot s;
    s.pauseMs = actions[first + kPauseAction].pauseMs();
    s.x = moveOf(actions[first + kMoveXAction], MacroActionKind::moveX);
    s.y = moveOf(actions[first + kMoveYAction], MacroActionKind::moveY);
    return s;
}

bool storeShot(std::vector<MacroAction>& actions, int shot, std::uint32_t pauseMs, ShotMove x,
               ShotMove y) {
    if (!holds(actions.size(), shot))
        return false;
    const std::size_t first = std::size_t(shot) * kActionsPerShot;
    actions[first + kPauseAction].setPauseUnits(macroPauseUnitsForMs(pauseMs));
    actions[first + kMoveXAction] = moveAction(MacroActionKind::moveX, x);
    actions[first + kMoveYAction] = moveAction(MacroActionKind::moveY, y);
    return true;
}

}  // namespace quillon::keys
