#include "keys/macro_action.h"

#include <charconv>

namespace quillon::keys {

namespace {

constexpr int kNumberFields = 5;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A decimal field, blanks around it allowed; nullopt outside 0..limit.
std::optional<unsigned> decimalField(std::string_view field, unsigned limit) {
    while (!field.empty() && isBlank(field.front()))
        field.remove_prefix(1);
    while (!field.empty() && isBlank(field.back()))
        field.remove_suffix(1);
    if (field.empty())
        return std::nullopt;
    unsigned value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || value > limit)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<MacroAction> parseMacroAction(std::string_view text) {
    std::size_t comma = text.rfind(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    MacroAction action;
    action.name = std::string(text.substr(comma + 1));
    std::string_view rest = text.substr(0, comma);

    // Right to left: pressed, code, kind, delayHigh, delayLow.
    std::array<unsigned, kNumberFields> numbers{};
    for (int i = kNumberFields - 1; i >= 0; --i) {
        comma = rest.rfind(',');
        if (comma == std::string_view::npos && i > 0)
            return std::nullopt;
        const std::string_view field =
            comma == std::string_view::npos ? rest : rest.substr(comma + 1);
        const auto value = decimalField(field, i == kNumberFields - 1 ? 0xFFFF : 0xFF);
        if (!value)
            return std::nullopt;
        numbers[std::size_t(i)] = *value;
        if (comma != std::string_view::npos)
            rest = rest.substr(0, comma);
    }
    action.delayLow = std::uint8_t(numbers[0]);
    action.delayHigh = std::uint8_t(numbers[1]);
    action.kind = std::uint8_t(numbers[2]);
    action.code = std::uint8_t(numbers[3]);
    action.pressed = std::uint16_t(numbers[4]);
    return action;
}

std::string formatMacroAction(const MacroAction& action) {
    std::string text;
    text.reserve(24 + action.name.size());
    for (unsigned n : {unsigned(action.delayLow), unsigned(action.delayHigh), unsigned(action.kind),
                       unsigned(action.code), unsigned(action.pressed)}) {
        text += std::to_string(n);
        text += ',';
    }
    text += action.name;
    return text;
}

MacroActionBytes macroActionDeviceBytes(const MacroAction& action) {
    return {action.delayLow, action.delayHigh, action.kind, action.code};
}

MacroAction macroActionFromDeviceBytes(const MacroActionBytes& bytes) {
    MacroAction action;
    action.delayLow = bytes[0];
    action.delayHigh = bytes[1];
    action.kind = bytes[2];
    action.code = bytes[3];
    action.pressed = action.pressBit() ? 1 : 0;
    return action;
}

MacroActionRow macroActionRow(const MacroAction& action) {
    MacroActionRow row;
    if (action.isMove()) {
        row.stateText = std::to_string(action.code);
        row.stateStyle = kMacroLabelTextStyle;
    } else {
        // The down and up marks, for skins whose styles show no picture of their own.
        const bool down = action.pressed == 1;
        row.stateText = down ? "\u25BC" : "\u25B2";
        row.stateStyle = down ? kMacroLabelDownStyle : kMacroLabelUpStyle;
    }
    row.nameText = action.name;
    row.nameStyle = action.isMouseAction() ? kMacroLabelMouseStyle : kMacroLabelKeyboardStyle;
    row.pauseText = std::to_string(action.pauseMs());
    row.pauseStyle = kMacroLabelTextStyle;
    return row;
}

}  // namespace quillon::keys
