#include "keys/assignment_label.h"

#include <array>

#include "keys/function_selectors.h"
#include "keys/key_name_table.h"

namespace quillon::keys {

namespace {

constexpr std::array<std::uint8_t, 8> kModifierBits{kModLeftCtrl, kModLeftShift, kModLeftAlt,
                                                    kModLeftWin,  kModRightCtrl, kModRightShift,
                                                    kModRightAlt, kModRightWin};

// A key the table has no single entry for: its modifiers, then its key.
std::optional<AssignmentLabel> keyWithModifiers(const KeyAssignment& a) {
    AssignmentLabel label;
    for (std::size_t i = 0; i < kModifierBits.size(); ++i)
        if ((a.p1 & kModifierBits[i]) != 0)
            label.languageKeys.push_back(kKeyNameTable[i].languageKey);  // entries 0..7
    if (a.p2 != 0) {
        const KeyNameEntry* key = findKeyByParams(keyboardKey(a.p2));
        if (key == nullptr)
            return std::nullopt;
        label.languageKeys.push_back(key->languageKey);
    }
    if (label.languageKeys.empty())
        return std::nullopt;  // no function at all
    return label;
}

std::optional<AssignmentLabel> fromSelector(std::span<const SelectorEntry> selector,
                                            const KeyAssignment& a) {
    if (const SelectorEntry* e = findSelectorEntry(selector, a))
        return AssignmentLabel{{e->label}, {}};
    return std::nullopt;
}

std::optional<AssignmentLabel> one(std::string_view key) {
    return AssignmentLabel{{key}, {}};
}

}  // namespace

std::optional<AssignmentLabel> assignmentLabel(const KeyAssignment& a,
                                               std::span<const std::string> macroNames) {
    switch (a.type) {
        case FN_DEFAULT:
        case FN_KEY:
            if (const KeyNameEntry* e = findKeyByParams(a))
                return one(e->languageKey);
            if (a.type == FN_KEY)
                return keyWithModifiers(a);
            return std::nullopt;
        case FN_MOUSE_BUTTON:
        case FN_DPI:
        case FN_CONSUMER:
        case FN_CONSUMER_ALT:
        case FN_SYSTEM:
        case FN_GUN:
            return fromSelector(selectorOf(a.type), a);
        case FN_HSCROLL:
            return one(kHorizontalScrollLabels[(a.p2 & 0x80) != 0 ? 1 : 0]);
        case FN_VSCROLL:
            return one(kVerticalScrollLabels[(a.p2 & 0x80) != 0 ? 1 : 0]);
        case FN_FIRE:
            return one(kFireKeyLabel);
        case FN_MACRO:
        case FN_MACRO_COUNT:
            if (a.p1 < macroNames.size())
                return AssignmentLabel{{}, macroNames[a.p1]};
            return std::nullopt;
        default:
            if (isDeviceDefinedType(a.type))
                return std::nullopt;
            return one(kNoFunctionLabel);
    }
}

std::string labelText(const AssignmentLabel& label, const Translate& translate) {
    if (!label.macroName.empty())
        return label.macroName;
    std::string text;
    for (std::string_view key : label.languageKeys) {
        if (!text.empty())
            text += '+';
        text += translate ? translate(key) : std::string(key);
    }
    return text;
}

}  // namespace quillon::keys
