#include "lighting/mouse_family_steps.h"

#include <algorithm>

namespace quillon::lighting {

void fireTriggers(std::span<const std::uint8_t> ring, std::span<std::uint8_t> levels,
                  std::span<std::uint8_t> hues, bool multiColour,
                  std::atomic<std::uint8_t>& frameTick) {
    const std::size_t n = std::min({ring.size(), levels.size(), hues.size()});
    for (std::size_t i = 0; i < n; ++i) {
        if (ring[i] == 0)
            continue;
        levels[i] = 255;
        if (multiColour)
            hues[i] = static_cast<std::uint8_t>(frameTick.fetch_add(11) + 11);
    }
}

void rotateTriggers(std::span<std::uint8_t> ring, std::uint8_t direction) {
    if (ring.empty())
        return;
    if (direction == 1) {
        std::rotate(ring.begin(), ring.begin() + 1, ring.end());
    } else {
        std::rotate(ring.rbegin(), ring.rbegin() + 1, ring.rend());
    }
}

bool clickFlashLit(std::atomic<bool>* clickPulse, std::uint8_t& flash, std::uint8_t& hue,
                   std::uint32_t& clickTimeMs, std::uint32_t nowMs) {
    if (clickPulse && clickPulse->exchange(false)) {
        flash = 1;
        clickTimeMs = nowMs;
        hue = static_cast<std::uint8_t>(hue + 14u > 191u ? 0 : hue + 14u);
    }
    if (flash == 0)
        return false;
    if (nowMs - clickTimeMs > 99)
        flash = 0;
    return true;
}

}  // namespace quillon::lighting
