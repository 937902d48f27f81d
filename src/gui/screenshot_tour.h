#pragma once

// For the documentation and for checking the look: shows the main window,
// walks through its device pages and the message window and saves a PNG of
// each into a folder, then calls `done`.

#include <QString>
#include <functional>

namespace quillon::gui {

class QtSkin;

// Starts after `delayMs` (so that devices can arrive); returns at once.
void startScreenshotTour(QtSkin& skin, const QString& folder, int delayMs,
                         std::function<void(bool ok)> done);

}  // namespace quillon::gui
