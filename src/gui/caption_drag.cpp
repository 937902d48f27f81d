#include "gui/caption_drag.h"

#include <QMouseEvent>
#include <QWindow>

namespace quillon::gui {

CaptionDrag::CaptionDrag(QWidget& window, QWidget& caption) : QObject(&caption), window_(window) {
    caption.installEventFilter(this);
}

bool CaptionDrag::eventFilter(QObject* watched, QEvent* event) {
    Q_UNUSED(watched);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) {
                break;
            }
            // Let the window system move the window where it can (Wayland
            // allows nothing else); otherwise follow the mouse ourselves.
            QWindow* handle = window_.windowHandle();
            if (handle != nullptr && handle->startSystemMove()) {
                return true;
            }
            dragging_ = true;
            offset_ = mouse->globalPosition().toPoint() - window_.frameGeometry().topLeft();
            return true;
        }
        case QEvent::MouseMove:
            if (dragging_) {
                window_.move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() -
                             offset_);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            dragging_ = false;
            break;
        default:
            break;
    }
    return false;
}

}  // namespace quillon::gui
