#pragma once

// What the attach steps ask of the subsystems around them: refreshing their
// views, deriving the key index, loading movement patterns, the update
// window's notices, the actions that follow loading a profile. Every hook runs
// on the GUI thread; the attach threads reach them only through posted work.
// The defaults do nothing, so a front end wires only what it has.

#include <cstdint>
#include <span>

#include "profiles/profile_lists.h"

namespace quillon::attach {

// Notices to the update window about devices arriving and leaving.
enum class UpdateNotice : std::uint32_t {
    rgbKeyboardArrived = 0x0D51,
    rgbKeyboardLeft = 0x0D52,
    oneColourKeyboardArrived = 0x0D53,
    oneColourKeyboardLeft = 0x0D54,
    mouseArrived = 0x0D55,
    mouseLeft = 0x0D56,
    membraneKeyboardArrived = 0x0D57,
    mouse2Arrived = 0x0D58,
    membraneKeyboardLeft = 0x0D59,
    mouse2Left = 0x0D60,
};

class AttachHooks {
  public:
    virtual ~AttachHooks() = default;

    // The lighting views of a device kind show the current records (and, for
    // the keyboard, the variant's controls).
    virtual void refreshKeyboardLightingView() {}
    virtual void refreshMouseViews() {}
    virtual void refreshMousepadLightingView() {}

    // The keyboard's factory key map was read: derive which key slot each
    // on-screen position shows.
    virtual void deriveKeyIndex(std::span<const std::uint8_t> factoryMap, int keyCount) {
        (void)factoryMap;
        (void)keyCount;
    }

    // A movement-pattern image read back from the mouse (marker checked).
    virtual void loadMovementPatterns(std::span<const std::uint8_t> image) { (void)image; }
    // The option `ms_gun_op_0` was deselected and selected again with events;
    // nothing more to do by default.

    // Sent to the update window when it exists; dropped otherwise.
    virtual void updateWindowNotice(UpdateNotice notice) { (void)notice; }
    // Closes the open update window (message 0x0D50).
    virtual void closeUpdateWindow() {}

    // After a profile of `list` was loaded into memory by a row selection:
    // the list's own follow-up (refresh the view, send to the device, ...).
    virtual void profileLoaded(profiles::ProfileListId list, bool reset) {
        (void)list;
        (void)reset;
    }

  protected:
    AttachHooks() = default;
    AttachHooks(const AttachHooks&) = default;
    AttachHooks& operator=(const AttachHooks&) = default;
};

}  // namespace quillon::attach
