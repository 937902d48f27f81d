#include "keys/pattern_image.h"

#include <mutex>
#include <string>

#include "keys/key_name_table.h"
#include "keys/macro_editor_controls.h"
#include "keys/pattern_shot.h"
#include "link/protocol.h"

namespace quillon::keys {

namespace {
// Entries of the key name table: the modifiers first, then the keyboard keys.
constexpr std::size_t kModifierEntries = 8;
// The button items of the mouse-action combo.
constexpr std::size_t kButtonItems = kFirstMoveItem;
}  // namespace

ActionTableBuild buildPatternImage(std::span<const PatternList> patterns) {
    std::vector<std::span<const MacroAction>> lists(patterns.begin(), patterns.end());
    return buildActionTableImage(lists, kMaxPatterns, kPatternMemoryBytes);
}

link::Status writePatternImage(link::DeviceLink& link, std::span<const std::uint8_t> image) {
    std::lock_guard hold(link.lock);
    if (const link::Status s = link::begin(link); !link::succeeded(s))
        return s;
    if (const link::Status s = link::writeCursors(link, image); !link::succeeded(s)) {
        static_cast<void>(link::end(link));  // closes the sequence; the write already failed
        return s;
    }
    return link::end(link);
}

std::string_view readBackName(const MacroAction& action, std::string_view previous) {
    switch (static_cast<MacroActionKind>(action.baseKind())) {
        case MacroActionKind::mouseButton:
            for (std::size_t i = 0; i < kButtonItems; ++i)
                if (kMacroMouseItems[i].code == action.code)
                    return kMacroMouseItems[i].nameKey;
            break;
        case MacroActionKind::moveX:
            return action.pressBit() ? kMoveLeftText : kMoveRightText;
        case MacroActionKind::moveY:
            return action.pressBit() ? kMoveUpText : kMoveDownText;
        case MacroActionKind::modifier:
            for (std::size_t i = 0; i < kModifierEntries; ++i)
                if (kKeyNameTable[i].assignment.p1 == action.code)
                    return kKeyNameTable[i].languageKey;
            break;
        case MacroActionKind::key:
            for (std::size_t i = kModifierEntries; i < kKeyboardKeyNameCount; ++i)
                if (kKeyNameTable[i].assignment.p2 == action.code)
                    return kKeyNameTable[i].languageKey;
            break;
    }
    return previous;
}

std::optional<std::vector<PatternList>> readPatternImage(std::span<const std::uint8_t> image) {
    const auto lists =
        readActionTableImage(image, kMaxPatterns, kMaxPatternActions, kPatternMemoryBytes);
    if (!lists)
        return std::nullopt;
    std::vector<PatternList> patterns;
    for (const auto& bytes : *lists) {
        PatternList& actions = patterns.emplace_back();
        std::string previous;
        for (const MacroActionBytes& b : bytes) {
            MacroAction a = macroActionFromDeviceBytes(b);
            a.name = std::string(readBackName(a, previous));
            previous = a.name;
            actions.push_back(std::move(a));
        }
    }
    return patterns;
}

}  // namespace quillon::keys
