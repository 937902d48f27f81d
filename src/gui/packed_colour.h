#pragma once

// The overlay colour packing of the core: green * 65536 + blue * 256 + red.

#include <QColor>
#include <cstdint>

namespace quillon::gui {

constexpr std::uint32_t packGbr(int red, int green, int blue) {
    return (static_cast<std::uint32_t>(green & 0xff) << 16) |
           (static_cast<std::uint32_t>(blue & 0xff) << 8) | static_cast<std::uint32_t>(red & 0xff);
}

inline QColor colourFromGbr(std::uint32_t gbr, int alpha = 255) {
    return QColor(static_cast<int>(gbr & 0xff), static_cast<int>((gbr >> 16) & 0xff),
                  static_cast<int>((gbr >> 8) & 0xff), alpha);
}

}  // namespace quillon::gui
