#pragma once

// Turns system-wide input events into macro actions while a recording runs:
// one row per key press or release (auto-repeat dropped), one per press or
// release of the left, right and middle buttons, and the time between two
// events as the pause of the earlier row (10 ms units, at most 65535, or
// always 50 ms when asked). The time before the first event is not kept.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/macro_action.h"
#include "platform/input/input_hooks.h"

namespace quillon::keys {

inline constexpr std::uint16_t kFixedRecordedPauseUnits = 5;  // 50 ms

// The action a captured or recorded key gives (kind 10 with its usage, kind 9
// with its modifier mask, the press bit for a press); nullopt for a key that
// is not one of the keyboard keys of the key-name table.
std::optional<MacroAction> macroActionForKey(std::uint16_t virtualKey, bool pressed);
// The language key of a button's name ("mouse_key_left", ...).
std::string_view macroButtonNameKey(platform::InputButton button);

class MacroRecording {
  public:
    struct Options {
        bool keys = true;
        bool buttons = false;     // "macro_mouse_click"
        bool fixedPause = false;  // "macro_check_time"
    };
    using Translate = std::function<std::string(std::string_view languageKey)>;

    void begin(const Options& options, std::uint64_t nowMs);
    // Appends the event's row to `actions`, if it makes one; true when it did.
    // A recorded button keeps its translated name, as the row shows it.
    bool record(std::vector<MacroAction>& actions, const platform::InputEvent& event,
                const Translate& translate);

  private:
    void setPauseBefore(std::vector<MacroAction>& actions, std::uint64_t nowMs);

    Options options_;
    std::uint64_t lastTick_ = 0;
    std::uint16_t lastPressedKey_ = 0;
    std::optional<std::pair<platform::InputButton, bool>> lastButton_;
};

}  // namespace quillon::keys
