#include "gui/start_hidden.h"

#include <QEvent>
#include <QTimer>

namespace quillon::gui {

StartHidden::StartHidden(QWidget& window, int holdMs) : QObject(&window), window_(&window) {
    window.installEventFilter(this);
    QTimer::singleShot(holdMs, this, [this] { release(); });
}

void StartHidden::release() {
    if (!holding_) {
        return;
    }
    holding_ = false;
    if (window_ != nullptr) {
        window_->removeEventFilter(this);
    }
}

bool StartHidden::eventFilter(QObject* watched, QEvent* event) {
    if (holding_ && watched == window_ && event->type() == QEvent::Show) {
        // Hiding inside the show event confuses the window state; undo it
        // next, unless the user asked for the window in the meantime.
        QTimer::singleShot(0, this, [this] {
            if (holding_ && window_ != nullptr) {
                window_->hide();
            }
        });
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quillon::gui
