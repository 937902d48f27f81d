#include "gui/keyboard_layout.h"

namespace quillon::gui {

namespace {

constexpr KeyPlace key(int x, int y, std::string_view label, int width = 4, int height = 4) {
    return {static_cast<std::uint8_t>(x),
            static_cast<std::uint8_t>(y),
            static_cast<std::uint8_t>(width),
            static_cast<std::uint8_t>(height),
            label,
            false};
}
constexpr KeyPlace led(int x) {
    return {static_cast<std::uint8_t>(x), 0, 4, 4, {}, true};
}
constexpr KeyPlace none{};

// Rows start at these quarters; the function row stands a quarter apart.
constexpr int kRow0 = 0, kRow1 = 5, kRow2 = 9, kRow3 = 13, kRow4 = 17, kRow5 = 21;
// The navigation cluster and the numpad start at these columns.
constexpr int kNav = 61, kPad = 74;

// clang-format off
constexpr std::array<KeyPlace, kKeyboardPositions> kPlaces{{
    // 0..20: function row; 16 shares LED 17 with 17, the four LEDs above the numpad
    key(0, kRow0, "Esc"), key(8, kRow0, "F1"), key(12, kRow0, "F2"), key(16, kRow0, "F3"),
    key(20, kRow0, "F4"), key(26, kRow0, "F5"), key(30, kRow0, "F6"), key(34, kRow0, "F7"),
    key(38, kRow0, "F8"), key(44, kRow0, "F9"), key(48, kRow0, "F10"), key(52, kRow0, "F11"),
    key(56, kRow0, "F12"), key(kNav, kRow0, "PrtSc"), key(kNav + 4, kRow0, "ScrLk"),
    key(kNav + 8, kRow0, "Pause"), none, led(kPad), led(kPad + 4), led(kPad + 8), led(kPad + 12),
    // 21..41: number row
    key(0, kRow1, "`"), key(4, kRow1, "1"), key(8, kRow1, "2"), key(12, kRow1, "3"),
    key(16, kRow1, "4"), key(20, kRow1, "5"), key(24, kRow1, "6"), key(28, kRow1, "7"),
    key(32, kRow1, "8"), key(36, kRow1, "9"), key(40, kRow1, "0"), key(44, kRow1, "-"),
    key(48, kRow1, "="), key(52, kRow1, "Backspace", 8), key(kNav, kRow1, "Ins"),
    key(kNav + 4, kRow1, "Home"), key(kNav + 8, kRow1, "PgUp"), key(kPad, kRow1, "Num"),
    key(kPad + 4, kRow1, "/"), key(kPad + 8, kRow1, "*"), key(kPad + 12, kRow1, "-"),
    // 42..62
    key(0, kRow2, "Tab", 6), key(6, kRow2, "Q"), key(10, kRow2, "W"), key(14, kRow2, "E"),
    key(18, kRow2, "R"), key(22, kRow2, "T"), key(26, kRow2, "Y"), key(30, kRow2, "U"),
    key(34, kRow2, "I"), key(38, kRow2, "O"), key(42, kRow2, "P"), key(46, kRow2, "["),
    key(50, kRow2, "]"), key(54, kRow2, "\\", 6), key(kNav, kRow2, "Del"),
    key(kNav + 4, kRow2, "End"), key(kNav + 8, kRow2, "PgDn"), key(kPad, kRow2, "7"),
    key(kPad + 4, kRow2, "8"), key(kPad + 8, kRow2, "9"), none,
    // 63..83
    key(0, kRow3, "Caps", 7), key(7, kRow3, "A"), key(11, kRow3, "S"), key(15, kRow3, "D"),
    key(19, kRow3, "F"), key(23, kRow3, "G"), key(27, kRow3, "H"), key(31, kRow3, "J"),
    key(35, kRow3, "K"), key(39, kRow3, "L"), key(43, kRow3, ";"), key(47, kRow3, "'"),
    key(51, kRow3, "Enter", 9), key(kPad, kRow3, "4"), key(kPad + 4, kRow3, "5"),
    key(kPad + 8, kRow3, "6"), none, none, none, none, none,
    // 84..104; 102 is the ISO key that these keyboards do not have
    key(0, kRow4, "Shift", 9), key(9, kRow4, "Z"), key(13, kRow4, "X"), key(17, kRow4, "C"),
    key(21, kRow4, "V"), key(25, kRow4, "B"), key(29, kRow4, "N"), key(33, kRow4, "M"),
    key(37, kRow4, ","), key(41, kRow4, "."), key(45, kRow4, "/"), key(49, kRow4, "Shift", 11),
    key(kNav + 4, kRow4, "\u2191"), key(kPad, kRow4, "1"), key(kPad + 4, kRow4, "2"),
    key(kPad + 8, kRow4, "3"), none, none, none, none, none,
    // 105..125; numpad Enter and + stand two rows high; 122..125 are the
    // one-colour keyboard's LEDs above the numpad; 125 is no right Win here
    key(0, kRow5, "Ctrl", 5), key(5, kRow5, "Win", 5), key(10, kRow5, "Alt", 5),
    key(15, kRow5, "", 25), key(40, kRow5, "AltGr", 5), key(45, kRow5, "Fn", 5),
    key(50, kRow5, "Menu", 5), key(55, kRow5, "Ctrl", 5), key(kNav, kRow5, "\u2190"),
    key(kNav + 4, kRow5, "\u2193"), key(kNav + 8, kRow5, "\u2192"), key(kPad, kRow5, "0", 8),
    key(kPad + 8, kRow5, "."), key(kPad + 12, kRow4, "Enter", 4, 8),
    key(kPad + 12, kRow2, "+", 4, 8), none, none, led(kPad), led(kPad + 4), led(kPad + 8),
    led(kPad + 12),
}};
// clang-format on

constexpr bool isIndicator(std::size_t position, std::size_t first) {
    return position >= first && position < first + 4;
}

}  // namespace

const std::array<KeyPlace, kKeyboardPositions>& keyboardPlaces() {
    return kPlaces;
}

bool positionDrawn(KeyboardPicture picture, std::size_t position) {
    if (position >= kKeyboardPositions || kPlaces[position].width == 0) {
        return false;
    }
    if (!kPlaces[position].indicator) {
        return true;
    }
    switch (picture) {
        case KeyboardPicture::rgbLights:
            return isIndicator(position, 17);
        case KeyboardPicture::oneColourLights:
            return isIndicator(position, 122);
        case KeyboardPicture::membraneLights:
        case KeyboardPicture::keys:
            return false;
    }
    return false;
}

KeyboardPicture lightsOfVariant(int variant) {
    switch (variant) {
        case 1:
            return KeyboardPicture::oneColourLights;
        case 2:
            return KeyboardPicture::membraneLights;
        default:
            return KeyboardPicture::rgbLights;
    }
}

}  // namespace quillon::gui
