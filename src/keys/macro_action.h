#pragma once

// One step of a macro (or of a movement pattern) in its three forms:
// - text, as list rows and ".mac"/".cur" files keep it:
//   "delayLow,delayHigh,kind,code,pressed,name", read from the right (the name
//   is everything after the last comma);
// - the 4 bytes the device plays: delayLow, delayHigh, kind, code;
// - the three labels of an action list row.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::keys {

// Kinds with the press bit (bit 7) cleared.
enum class MacroActionKind : std::uint8_t {
    mouseButton = 1,
    moveX = 4,
    moveY = 5,
    modifier = 9,
    key = 10,
};

// Set on a press, and on a move left or up.
inline constexpr std::uint8_t kMacroPressBit = 0x80;
inline constexpr std::uint32_t kMacroPauseUnitMs = 10;
inline constexpr std::uint16_t kMaxMacroPauseUnits = 0xFFFF;
inline constexpr std::size_t kMacroActionDeviceBytes = 4;

// Mouse button bits of mouseButton actions.
inline constexpr std::uint8_t kMacroButtonLeft = 0x01;
inline constexpr std::uint8_t kMacroButtonRight = 0x02;
inline constexpr std::uint8_t kMacroButtonMiddle = 0x04;
inline constexpr std::uint8_t kMacroButtonBack = 0x08;
inline constexpr std::uint8_t kMacroButtonForward = 0x10;

using MacroActionBytes = std::array<std::uint8_t, kMacroActionDeviceBytes>;

struct MacroAction {
    std::uint8_t delayLow = 0;
    std::uint8_t delayHigh = 0;
    std::uint8_t kind = 0;      // MacroActionKind, | kMacroPressBit
    std::uint8_t code = 0;      // usage, modifier mask, button bit or move distance
    std::uint16_t pressed = 0;  // shown only, never sent
    std::string name;           // language key (a recorded mouse button: its shown name)

    std::uint16_t pauseUnits() const { return std::uint16_t(delayHigh << 8 | delayLow); }
    std::uint32_t pauseMs() const { return pauseUnits() * kMacroPauseUnitMs; }
    void setPauseUnits(std::uint16_t units) {
        delayLow = std::uint8_t(units & 0xFF);
        delayHigh = std::uint8_t(units >> 8);
    }
    std::uint8_t baseKind() const { return std::uint8_t(kind & ~kMacroPressBit); }
    bool pressBit() const { return (kind & kMacroPressBit) != 0; }
    // Kinds below 9 act on the mouse.
    bool isMouseAction() const { return baseKind() < std::uint8_t(MacroActionKind::modifier); }
    bool isMove() const {
        return baseKind() == std::uint8_t(MacroActionKind::moveX) ||
               baseKind() == std::uint8_t(MacroActionKind::moveY);
    }

    bool operator==(const MacroAction&) const = default;
};

// Pause units for a measured time: 10 ms units, rounded down, capped at 65535.
constexpr std::uint16_t macroPauseUnitsForMs(std::uint64_t ms) {
    const std::uint64_t units = ms / kMacroPauseUnitMs;
    return units > kMaxMacroPauseUnits ? kMaxMacroPauseUnits : std::uint16_t(units);
}

// nullopt for a text with fewer than five commas or a number field that is not
// a decimal in its field's range (0..255, pressed 0..65535). Fields left of the
// last six are ignored, as a reader from the right does.
std::optional<MacroAction> parseMacroAction(std::string_view text);
std::string formatMacroAction(const MacroAction& action);

MacroActionBytes macroActionDeviceBytes(const MacroAction& action);
// An action read back from a device image: pressed follows the press bit; the
// name is left for the caller to give.
MacroAction macroActionFromDeviceBytes(const MacroActionBytes& bytes);

// The labels of one row of an action list.
struct MacroActionRow {
    std::string stateText;  // the distance of a move, else a down or up mark
    std::string_view stateStyle;
    std::string nameText;
    std::string_view nameStyle;
    std::string pauseText;  // the pause in milliseconds
    std::string_view pauseStyle;
};

inline constexpr std::string_view kMacroLabelTextStyle = "macro_label_text_style";
inline constexpr std::string_view kMacroLabelDownStyle = "macro_label_down_style";
inline constexpr std::string_view kMacroLabelUpStyle = "macro_label_up_style";
inline constexpr std::string_view kMacroLabelMouseStyle = "macro_label_mouse_style";
inline constexpr std::string_view kMacroLabelKeyboardStyle = "macro_label_keyboard_style";

MacroActionRow macroActionRow(const MacroAction& action);

}  // namespace quillon::keys
