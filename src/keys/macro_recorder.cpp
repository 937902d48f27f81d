#include "keys/macro_recorder.h"

#include "keys/key_name_table.h"

namespace quillon::keys {

namespace {

struct ButtonRow {
    platform::InputButton button;
    std::uint8_t bit;
    std::string_view nameKey;
};

// The buttons a recording keeps; back and forward are only inserted by hand.
constexpr ButtonRow kRecordedButtons[] = {
    {platform::InputButton::left, kMacroButtonLeft, "mouse_key_left"},
    {platform::InputButton::right, kMacroButtonRight, "mouse_key_right"},
    {platform::InputButton::middle, kMacroButtonMiddle, "mouse_key_middle"},
};

}  // namespace

std::optional<MacroAction> macroActionForKey(std::uint16_t virtualKey, bool pressed) {
    const KeyNameEntry* entry = findKeyByVirtualKey(virtualKey);
    if (!entry || !isKeyboardKey(*entry))
        return std::nullopt;
    MacroAction action;
    if (entry->assignment.p2 != 0) {
        action.kind = std::uint8_t(MacroActionKind::key);
        action.code = entry->assignment.p2;
    } else {
        action.kind = std::uint8_t(MacroActionKind::modifier);
        action.code = entry->assignment.p1;
    }
    if (pressed)
        action.kind |= kMacroPressBit;
    action.pressed = pressed ? 1 : 0;
    action.name = std::string(entry->languageKey);
    return action;
}

std::string_view macroButtonNameKey(platform::InputButton button) {
    switch (button) {
        case platform::InputButton::left:
            return "mouse_key_left";
        case platform::InputButton::right:
            return "mouse_key_right";
        case platform::InputButton::middle:
            return "mouse_key_middle";
        case platform::InputButton::back:
            return "mouse_key_back";
        case platform::InputButton::forward:
            return "mouse_key_forward";
    }
    return {};
}

void MacroRecording::begin(const Options& options, std::uint64_t nowMs) {
    options_ = options;
    lastTick_ = nowMs;
    lastPressedKey_ = 0;
    lastButton_.reset();
}

void MacroRecording::setPauseBefore(std::vector<MacroAction>& actions, std::uint64_t nowMs) {
    // A clock that went back (another backend, a server restart) counts as no time.
    const std::uint64_t delta = nowMs >= lastTick_ ? nowMs - lastTick_ : 0;
    lastTick_ = nowMs;
    if (actions.size() < 2)
        return;
    actions[actions.size() - 2].setPauseUnits(options_.fixedPause ? kFixedRecordedPauseUnits
                                                                  : macroPauseUnitsForMs(delta));
}

bool MacroRecording::record(std::vector<MacroAction>& actions, const platform::InputEvent& event,
                            const Translate& translate) {
    if (event.type == platform::InputEvent::Type::key) {
        if (!options_.keys)
            return false;
        const std::uint16_t code = event.virtualKey;
        if (event.pressed) {
            if (code == lastPressedKey_)
                return false;  // auto-repeat
            lastPressedKey_ = code;
        } else if (code == lastPressedKey_) {
            lastPressedKey_ = 0;
        }
        auto action = macroActionForKey(code, event.pressed);
        if (!action)
            return false;
        actions.push_back(std::move(*action));
        setPauseBefore(actions, event.timeMs);
        return true;
    }

    const ButtonRow* row = nullptr;
    for (const ButtonRow& r : kRecordedButtons) {
        if (r.button == event.button)
            row = &r;
    }
    if (!row || !options_.buttons)
        return false;
    const std::pair<platform::InputButton, bool> message{event.button, event.pressed};
    if (lastButton_ == message)
        return false;
    lastButton_ = message;
    MacroAction action;
    action.kind = std::uint8_t(MacroActionKind::mouseButton) | (event.pressed ? kMacroPressBit : 0);
    action.code = row->bit;
    action.pressed = event.pressed ? 1 : 0;
    action.name = translate ? translate(row->nameKey) : std::string(row->nameKey);
    actions.push_back(std::move(action));
    setPauseBefore(actions, event.timeMs);
    return true;
}

}  // namespace quillon::keys
