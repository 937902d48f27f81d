#include "mouse/pointer_steps.h"

#include <algorithm>

namespace quillon::mouse {

namespace {
constexpr std::int64_t kSaturated = 1'000'000;
}

std::uint8_t pointerSpeedOfSlider(std::int64_t value) {
    const std::int64_t v = std::clamp<std::int64_t>(value, 0, kSaturated);
    return static_cast<std::uint8_t>(
        std::clamp<std::int64_t>((v + 1) * 2, kLowestPointerSpeed, kHighestPointerSpeed));
}

int sliderOfPointerSpeed(std::uint8_t speed) {
    const int s = std::clamp<int>(speed, kLowestPointerSpeed, kHighestPointerSpeed);
    return std::max(s / 2 - 1, 0);
}

int wheelLinesUp(int shown) {
    const int n = shown <= 0 ? kFewestWheelLines : std::min(shown, kMostWheelLines);
    return std::min(n + 1, kMostWheelLines);
}

int wheelLinesDown(int shown) {
    const int n = std::min(shown, kMostWheelLines);
    return n >= 2 ? n - 1 : kFewestWheelLines;
}

TypedChannel typedChannel(std::string_view text) {
    const int v = leadingDecimal(text);
    if (v > 255)
        return {255, true};
    return {static_cast<std::uint8_t>(v), false};
}

}  // namespace quillon::mouse
