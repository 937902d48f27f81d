#pragma once

// The main window's timers: ids and intervals as the rest of the program and
// its traces know them.

#include <chrono>

namespace quillon::shell {

enum class TimerId : int {
    progressHide = 1,         // once, 1000 ms after message 0x0C01: hide `setting_progress`
    settingsFlush = 2,        // repeating 1000 ms: send dirty mouse / mousepad settings records
    relayout = 7,             // once: repaint and lay out the whole window
    mouseSettingsReread = 9,  // once, 50 ms after mouse event 0x0401: message 0x0902
    mouseStateReread = 10,    // once, 50 ms after mouse event 0x0402: message 0x0901
    // Repeating, one per profile list and only while it has a link: the
    // application-link watchers (keyboard lighting, keyboard keys, mouse
    // lighting, mouse keys, mousepad lighting).
    appLinkFirst = 20,
    appLinkLast = 24,
};

using namespace std::chrono_literals;

inline constexpr std::chrono::milliseconds kProgressHideDelay = 1000ms;
inline constexpr std::chrono::milliseconds kSettingsFlushInterval = 1000ms;
inline constexpr std::chrono::milliseconds kRelayoutAfterAttach = 100ms;
inline constexpr std::chrono::milliseconds kRelayoutAfterTrayClick = 10ms;
inline constexpr std::chrono::milliseconds kMouseRereadDelay = 50ms;

enum class TimerMode { once, repeating };

}  // namespace quillon::shell
