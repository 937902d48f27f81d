#include "gui/main_frame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace quillon::gui {

MainFrame::MainFrame(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName("MainWnd");
    setWindowTitle("Quillon Gaming Software");
    setFixedSize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

void MainFrame::setView(QWidget* view, QWidget* caption) {
    view_ = view;
    layout()->addWidget(view);
    if (caption_ != nullptr) {
        caption_->removeEventFilter(this);
    }
    caption_ = caption;
    if (caption_ != nullptr) {
        caption_->installEventFilter(this);
    }
}

void MainFrame::centreOnScreen() {
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect area(QPoint(0, 0), size());
    area.moveCenter(screen->availableGeometry().center());
    move(area.topLeft());
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    event->ignore();
    conceal();
}

void MainFrame::conceal() {
    if (trayAvailable_) {
        hide();
        return;
    }
    showMinimized();
    if (!toldAboutTray_) {
        toldAboutTray_ = true;
        if (onFirstConcealWithoutTray) {
            onFirstConcealWithoutTray();
        }
    }
}

void MainFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResized) {
        onResized();
    }
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched != caption_) {
        return false;
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) {
                break;
            }
            // Let the window system move the window where it can (Wayland
            // allows nothing else); otherwise follow the mouse ourselves.
            if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
                return true;
            }
            dragging_ = true;
            dragOffset_ = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
            return true;
        }
        case QEvent::MouseMove:
            if (dragging_) {
                move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOffset_);
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
