#include "gui/main_frame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

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
    delete drag_;
    if (caption != nullptr) {
        drag_ = new CaptionDrag(*this, *caption);
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

void MainFrame::present() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResized) {
        onResized();
    }
}

}  // namespace quillon::gui
