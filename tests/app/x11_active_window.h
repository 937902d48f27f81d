#pragma once

// Playing the window manager on a test's own X server (kept apart from the
// tests: Xlib's macros clash with ordinary names).

#include <string>

namespace quillon::app::testing {

// Opens a window of this process with its _NET_WM_PID, makes it the root's
// _NET_ACTIVE_WINDOW until standard input ends, then clears that property.
// False when the display cannot be opened.
bool holdActiveWindowUntilInputEnds(const std::string& display);

}  // namespace quillon::app::testing
