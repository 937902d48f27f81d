#pragma once

// For the documentation and for checking the look: shows the main window,
// walks through its device pages in several lighting modes, custom painting,
// the message window and the update window, and saves a PNG of each into a
// folder, then calls `done`. The effects run for a moment before each picture.

#include <QString>
#include <functional>

namespace quillon::gui {

class QtSkin;

struct TourHooks {
    // Replaces the attached keyboard with one of `variant` (1 one-colour,
    // 2 membrane); false (or unset) when that cannot be done, and the
    // pictures of that variant are left out.
    std::function<bool(int variant)> plugKeyboard;
    std::function<void(bool ok)> done;
};

// Starts after `delayMs` (so that devices can arrive); returns at once.
void startScreenshotTour(QtSkin& skin, const QString& folder, int delayMs, TourHooks hooks);

}  // namespace quillon::gui
