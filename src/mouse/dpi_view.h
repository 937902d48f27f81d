#pragma once

// The mouse performance view: DPI stages and their colour, report rate and
// lift-off (kept in MouseState, sent by the settings flush), pointer speed and
// wheel lines (kept in the mouse profile record, applied to the desktop).
// GUI thread only.

#include <cstdint>
#include <functional>
#include <span>

#include "link/device_identity.h"
#include "mouse/mouse_records.h"
#include "mouse/pointer_applier.h"
#include "shell/notification_router.h"
#include "skin/skin.h"

namespace quillon::mouse {

// Writes the current mouse profile file; false when it was not written.
using SaveMouseProfile = std::function<void()>;

struct DpiViewParts {
    skin::Skin& skin;
    MouseRecords& records;
    const link::DeviceIdentity& identity;
    PointerApplier& pointer;
    SaveMouseProfile save;
    // The preset colour buttons' colours, 0xAARRGGBB, by button number.
    std::span<const std::uint32_t> presetColours;
};

class DpiView {
  public:
    explicit DpiView(DpiViewParts parts) : p_(std::move(parts)) {}

    // Routes of every control but the reset buttons. The view must outlive the router's use.
    void install(shell::NotificationRouter& router);

    // Shows MouseState and the mouse's DPI range (after attach, slot or
    // profile change). Sets controls only: nothing is written back.
    void refresh();
    // A mouse profile was selected: its pointer speed and wheel lines are shown
    // and applied to the desktop again.
    void restoreSystemSettings();
    // The factory reset's system part: speed 10 (slider 5), three wheel lines.
    void resetSystemSettings();

  private:
    void stageMoved(int stage, std::int64_t value, bool dragging);
    void applyColour(std::uint32_t argb);
    void applyTypedChannel(std::string_view edit, int shift);
    void selectReportRate(int row);
    void setLiftOff(std::int64_t value);
    void setPointerSpeed(std::int64_t value);
    void stepWheelLines(bool up);
    void showColour(std::uint32_t argb, bool edits);
    // Changes the mouse's record for the settings flush and saves the profile.
    void changeAndSave(const std::function<void(link::MouseState&)>& change);

    DpiViewParts p_;
};

}  // namespace quillon::mouse
