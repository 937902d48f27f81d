#include "gui/popup_panel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace quillon::gui {

PopupPanel::PopupPanel(QWidget* panel, QWidget* button, QObject* parent)
    : QObject(parent), panel_(panel), button_(button), rightEdge_(panel->geometry().right()) {
    panel_->installEventFilter(this);
}

void PopupPanel::close() {
    if (panel_ != nullptr) {
        panel_->hide();
    }
}

bool PopupPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel_) {
        // Watch the whole program only while the panel is open.
        if (event->type() == QEvent::Show && !watching_) {
            watching_ = true;
            qApp->installEventFilter(this);
            panel_->adjustSize();
            panel_->move(std::max(0, rightEdge_ + 1 - panel_->width()), panel_->y());
        } else if (event->type() == QEvent::Hide && watching_) {
            watching_ = false;
            qApp->removeEventFilter(this);
        }
        return false;
    }
    if (!watching_ || panel_ == nullptr || !panel_->isVisible()) {
        return false;
    }
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    // A press reaches the window first and then the widgets under the
    // pointer, up the parents while they ignore it; where it was counts.
    if (event->type() == QEvent::MouseButtonPress && qobject_cast<QWidget*>(watched) != nullptr) {
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        auto hit = [at](const QWidget* widget) {
            return widget != nullptr && widget->isVisible() &&
                   widget->rect().contains(widget->mapFromGlobal(at));
        };
        // The button's own click closes the panel; other clicks go on as usual.
        if (!hit(panel_) && !hit(button_)) {
            close();
        }
    }
    return false;
}

}  // namespace quillon::gui
