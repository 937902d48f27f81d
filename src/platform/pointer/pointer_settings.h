#pragma once

// The desktop's pointer speed and wheel scroll lines, which the mouse view
// applies to the system. One interface, one backend per kind of desktop.

#include <cstdint>

namespace quillon::platform {

enum class [[nodiscard]] PointerResult{
    applied,
    unsupported,  // this desktop has no such setting the program can change
    failed,       // the desktop's tool was missing or refused the value
};

class PointerSettings {
  public:
    virtual ~PointerSettings() = default;
    // speed 1..20, 10 the desktop's default; may take a while (runs a tool).
    virtual PointerResult setPointerSpeed(std::uint8_t speed) = 0;
    // lines 1..10 per wheel step.
    virtual PointerResult setWheelLines(int lines) = 0;

  protected:
    PointerSettings() = default;
    PointerSettings(const PointerSettings&) = default;
    PointerSettings& operator=(const PointerSettings&) = default;
};

}  // namespace quillon::platform

namespace quillon::platform {

// Leaves the desktop alone (tests, and programs built without a desktop).
class UntouchedPointerSettings final : public PointerSettings {
  public:
    PointerResult setPointerSpeed(std::uint8_t) override { return PointerResult::applied; }
    PointerResult setWheelLines(int) override { return PointerResult::applied; }
};

}  // namespace quillon::platform
