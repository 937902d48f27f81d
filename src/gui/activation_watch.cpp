#include "gui/activation_watch.h"

#include <QEvent>

namespace quillon::gui {

ActivationWatch::ActivationWatch(QWidget& window, std::function<void(bool)> changed)
    : QObject(&window), window_(&window), changed_(std::move(changed)) {
    window.installEventFilter(this);
}

bool ActivationWatch::eventFilter(QObject* watched, QEvent* event) {
    // Qt may send the event more than once for one change (the window and
    // its focus proxy); only a real change is told.
    if (event->type() == QEvent::ActivationChange && watched == window_) {
        const bool active = window_->isActiveWindow();
        if (active != active_) {
            active_ = active;
            if (changed_) {
                changed_(active);
            }
        }
    }
    return false;
}

}  // namespace quillon::gui
