#include "gui/wnd_host.h"

namespace quillon::gui {

WndHost::WndHost(QWidget* parent) : QWidget(parent) {}

void WndHost::host(QWidget* widget) {
    hosted_ = widget;
    follow();
}

void WndHost::follow() {
    if (hosted_ == nullptr) {
        return;
    }
    QRect target(QPoint(0, 0), size());
    QWidget* hostedParent = hosted_->parentWidget();
    if (hosted_->isWindow() || hostedParent == nullptr) {
        // A separate window is placed in screen coordinates.
        target.moveTopLeft(mapToGlobal(QPoint(0, 0)));
    } else {
        target.moveTopLeft(hostedParent->mapFromGlobal(mapToGlobal(QPoint(0, 0))));
    }
    hosted_->setGeometry(target);
    hosted_->setVisible(isVisible());
}

void WndHost::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    follow();
}

void WndHost::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    follow();
}

void WndHost::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    follow();
}

void WndHost::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    follow();
}

}  // namespace quillon::gui
