#include "gui/message_window.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

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
    const QWidget* owner = parentWidget();
    if (owner != nullptr && owner->isVisible()) {
        area.moveCenter(owner->frameGeometry().center());
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area.moveCenter(screen->availableGeometry().center());
    }
    move(area.topLeft());
    return exec() == kConfirmed ? kConfirmed : kCancelled;
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
