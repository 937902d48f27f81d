#pragma once

// The messages that reach the main window from worker threads, hooks, the
// tray and other windows, as typed events. The numbers are the ones the
// program's parts use among themselves; they never leave the process.

#include <cstdint>

namespace quillon::shell {

enum class MessageId : std::uint32_t {
    destroy = 0x0002,         // shutdown
    activation = 0x0006,      // wParam 0 = deactivated
    timer = 0x0113,           // wParam = timer id
    powerBroadcast = 0x0218,  // wParam 4 suspend, 18 resume
    dpiChanged = 0x02E0,      // low word of wParam = new DPI
    trayNotify = 0x0401,      // lParam = mouse message
    menuCommand = 0x0479,     // wParam = chosen menu item
    kbCapturedKey = 0x0801,   // hook notices for the keyboard editors
    kbRecordedKey = 0x0803,
    kbRecordedMouse = 0x0804,
    msCapturedKey = 0x0810,  // hook notices for the mouse editors
    msRecordedKey = 0x0812,
    msRecordedMouse = 0x0813,
    mouseStateReread = 0x0901,     // ReadMouseState, refresh the mouse views
    mouseSettingsReread = 0x0902,  // ReadMouseSettings, refresh the mouse views
    mousepadStateReread = 0x0A01,  // ReadMousepadState, refresh the mousepad view
    mousepadSlotReread = 0x0A02,   // ReadMousepadActiveSlot, refresh
    mirrorOverlayColour = 0x0A03,  // wParam = combined control index, lParam = colour
    mirrorOverlayAlpha = 0x0A04,   // wParam = combined control index, lParam = alpha
    keyboardStateReread = 0x0B01,  // ReadKeyboardState, refresh the keyboard view
    keyboardSlotStore = 0x0B02,    // store KeyboardState into its slot, clear, refresh
    keyboardStoreDefaultKeys = 0x0B03,
    progressShow = 0x0C00,       // show `setting_progress`
    progressHideLater = 0x0C01,  // start timer 1
    updateWindowClose = 0x0D50,
    updateWindowOpen = 0x0D65,
    languageReload = 0x1000,  // reload texts, repaint, lay out again
    // Registered messages of the original get fixed numbers of our own, in the
    // range registered messages use.
    activateInstance = 0xC001,     // another instance asks this one to show itself
    relayToUpdateWindow = 0xC002,  // passed on unchanged to the update window
};

struct WindowMessage {
    MessageId id = MessageId::timer;
    std::uint64_t wParam = 0;
    std::int64_t lParam = 0;
};

inline constexpr std::uint64_t kPowerSuspend = 4;
inline constexpr std::uint64_t kPowerResume = 18;

}  // namespace quillon::shell
