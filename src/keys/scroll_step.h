#pragma once

// The parameters of the two scroll functions. Both carry two 0..15 values in
// the nibbles of p1 (their meaning lies in the device); horizontal scroll
// keeps the direction in bit 7 of p2 and the amount below it, vertical scroll
// keeps a signed amount (down is the two's complement).

#include <algorithm>
#include <cstdint>

#include "keys/key_assignment.h"

namespace quillon::keys {

struct ScrollStep {
    // Horizontal: false left, true right. Vertical: false up, true down.
    bool secondDirection = false;
    int amount = 0;      // 0..127
    int highNibble = 0;  // 0..15
    int lowNibble = 0;   // 0..15
    friend constexpr bool operator==(const ScrollStep&, const ScrollStep&) = default;
};

inline constexpr int kMaxScrollAmount = 127;
inline constexpr int kMaxScrollNibble = 15;

namespace detail {
constexpr std::uint8_t nibbles(const ScrollStep& s) {
    return static_cast<std::uint8_t>((std::clamp(s.highNibble, 0, kMaxScrollNibble) << 4) |
                                     std::clamp(s.lowNibble, 0, kMaxScrollNibble));
}
}  // namespace detail

constexpr KeyAssignment horizontalScroll(const ScrollStep& s) {
    const int amount = std::clamp(s.amount, 0, kMaxScrollAmount);
    return {FN_HSCROLL, detail::nibbles(s),
            static_cast<std::uint8_t>(amount | (s.secondDirection ? 0x80 : 0))};
}

constexpr KeyAssignment verticalScroll(const ScrollStep& s) {
    const int amount = std::clamp(s.amount, 0, kMaxScrollAmount);
    return {FN_VSCROLL, detail::nibbles(s),
            static_cast<std::uint8_t>(s.secondDirection ? (256 - amount) & 0xFF : amount)};
}

// The step an FN_HSCROLL or FN_VSCROLL assignment shows.
constexpr ScrollStep scrollStepOf(const KeyAssignment& a) {
    ScrollStep s;
    s.highNibble = a.p1 >> 4;
    s.lowNibble = a.p1 & 0x0F;
    s.secondDirection = (a.p2 & 0x80) != 0;
    if (!s.secondDirection)
        s.amount = a.p2;
    else if (a.type == FN_HSCROLL)
        s.amount = a.p2 & 0x7F;
    else
        s.amount = 128 - (a.p2 & 0x7F);
    return s;
}

}  // namespace quillon::keys
