#include "lighting/timing_tables.h"

#include "lighting/mode_numbers.h"

namespace quillon::lighting {

namespace {

std::size_t speedColumn(std::uint8_t speed) {
    return speed < kSpeedCount ? speed : kSpeedCount - 1;
}

template <std::size_t Rows>
int fromTable(const std::array<TimingRow, Rows>& table, std::uint8_t mode, std::uint8_t speed,
              int untimed) {
    if (mode >= Rows)
        return untimed;
    return table[mode][speedColumn(speed)];
}

}  // namespace

int framePauseMs(LightingKind kind, std::uint8_t mode, std::uint8_t speed) {
    switch (kind) {
        case LightingKind::rgbKeyboard:
        case LightingKind::oneColourKeyboard:
        case LightingKind::membraneKeyboard:
            return fromTable(KeyboardTimingTable, mode, speed, kUntimedPauseMs);
        case LightingKind::mouse:
            return fromTable(MouseTimingTable, mode, speed, kUntimedPointerPauseMs);
        case LightingKind::mousepad:
            return fromTable(MousepadTimingTable, mode, speed, kUntimedPointerPauseMs);
        case LightingKind::sync:
            return 4 * static_cast<int>(speed);
    }
    return kUntimedPauseMs;
}

int extraPauseMs(LightingKind kind, std::uint8_t mode, std::uint8_t speed) {
    const int s = static_cast<int>(speedColumn(speed));
    switch (kind) {
        case LightingKind::rgbKeyboard:
            return mode == kRgbRippleMode ? 40 : 0;
        case LightingKind::oneColourKeyboard:
            return mode == kOneColourRippleMode ? 40 : 0;
        case LightingKind::membraneKeyboard:
            return mode == kMembraneStackMode ? 100 : 0;
        case LightingKind::mouse:
            if (mode == kMouseRunningLightMode)
                return 50;
            // Mode 8 has a timing row but no frame: the pass rests 200 ms more.
            if (mode == kMouseUntimedMode)
                return kUntimedPointerPauseMs;
            return 0;
        case LightingKind::mousepad:
            if (mode == kMousepadBarMode)
                return 10 * s + 100;
            if (mode == kMousepadRunningLightMode)
                return 50;
            if (mode == kMousepadSweepMode)
                return 5 * s + 50;
            return 0;
        case LightingKind::sync:
            return 0;
    }
    return 0;
}

}  // namespace quillon::lighting
