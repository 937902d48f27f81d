#include "gui/tray_icon.h"

#include "gui/qt_skin.h"

namespace quillon::gui {

TrayIcon::TrayIcon(QtSkin& skin, const QIcon& icon, Actions actions, QObject* parent)
    : QObject(parent), skin_(skin), actions_(std::move(actions)), icon_(icon) {
    icon_.setToolTip(kTooltip);
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Trigger) {
                    leftClick();
                } else if (why == QSystemTrayIcon::Context && actions_.openMenu) {
                    actions_.openMenu();
                }
            });
}

void TrayIcon::leftClick() {
    MainFrame* frame = skin_.mainWindow();
    if (frame == nullptr) {
        return;
    }
    if (!actions_.anyDeviceAttached || !actions_.anyDeviceAttached()) {
        frame->hide();
        if (actions_.showNoDeviceMessage) {
            actions_.showNoDeviceMessage();
        }
        return;
    }
    // A minimised window is still "visible"; it counts as shown only when
    // exactly one of the two holds.
    const bool shown = frame->isVisible() != frame->isMinimized();
    if (shown) {
        frame->hide();
        return;
    }
    skin_.windowCommand(skin::WindowCommand::restore);
    skin_.windowCommand(skin::WindowCommand::bringToFront);
    if (actions_.relayoutSoon) {
        actions_.relayoutSoon();
    }
}

}  // namespace quillon::gui
