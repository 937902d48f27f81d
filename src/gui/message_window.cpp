#include "gui/message_window.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "gui/caption_drag.h"
#include "gui/skin_loader.h"

namespace quillon::gui {

MessageWindow::MessageWindow(const QString& skinDir, const QString& skinFile, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName("MsgWnd");
    setWindowTitle("msgwnd");
    setModal(true);
    setAttribute(Qt::WA_TranslucentBackground, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    SkinLoader loader{QDir(skinDir)};
    view_ = loader.loadFile(skinFile, this);
    errors_ = loader.errors();
    if (view_ == nullptr) {
        return;
    }
    layout->addWidget(view_);
    resize(view_->size());

    for (auto* button : findChildren<QAbstractButton*>()) {
        const QString name = button->objectName();
        if (name.compare("confirm_btn", Qt::CaseInsensitive) == 0) {
            connect(button, &QAbstractButton::clicked, this, [this] { done(kConfirmed); });
        } else if (name.compare("cancel_btn", Qt::CaseInsensitive) == 0 ||
                   name.compare("closebtn", Qt::CaseInsensitive) == 0) {
            connect(button, &QAbstractButton::clicked, this, [this] { done(kCancelled); });
        }
    }
    if (QWidget* title = findChild<QWidget*>("MessageTitle")) {
        new CaptionDrag(*this, *title);
    }
}

QStringList MessageWindow::requiredControls() {
    return {"MessageTitle", "MessageText", "closebtn", "confirm_btn", "cancel_btn"};
}

void MessageWindow::setMessage(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    if (auto* label = findChild<QLabel*>("MessageText")) {
        label->setText(text);
    }
}

QString MessageWindow::message() const {
    const auto* label = findChild<QLabel*>("MessageText");
    return label != nullptr ? label->text() : QString();
}

QString MessageWindow::title() const {
    const auto* label = findChild<QLabel*>("MessageTitle");
    return label != nullptr ? label->text() : QString();
}

int MessageWindow::run() {
    QRect area(QPoint(0, 0), size());
    if (const QWidget* centreOn = parentWidget(); centreOn != nullptr && centreOn->isVisible()) {
        area.moveCenter(centreOn->frameGeometry().center());
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area.moveCenter(screen->availableGeometry().center());
    }
    move(area.topLeft());
    // The owner's window too: a window put above this one is exposed.
    QWidget* owner = parentWidget();
    QWindow* ownerWindow = owner != nullptr ? owner->windowHandle() : nullptr;
    if (owner != nullptr) {
        owner->installEventFilter(this);
    }
    if (ownerWindow != nullptr) {
        ownerWindow->installEventFilter(this);
    }
    const int result = exec();
    if (ownerWindow != nullptr) {
        ownerWindow->removeEventFilter(this);
    }
    if (owner != nullptr) {
        owner->removeEventFilter(this);
    }
    return result == kConfirmed ? kConfirmed : kCancelled;
}

void MessageWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    raiseSoon();
}

bool MessageWindow::eventFilter(QObject* watched, QEvent* event) {
    // The owner shown, restored or activated again comes up above the
    // message; put the message back on top.
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::WindowStateChange:
        case QEvent::WindowActivate:
        case QEvent::Expose:
            raiseSoon();
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void MessageWindow::raiseSoon() {
    // After the window system has handled what caused it.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) {
            raise();
            activateWindow();
        }
    });
}

void MessageWindow::keyPressEvent(QKeyEvent* event) {
    // Escape closes like the close button; Enter does not confirm by itself.
    if (event->key() == Qt::Key_Escape) {
        done(kCancelled);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace quillon::gui
