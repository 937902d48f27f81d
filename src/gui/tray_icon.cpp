#include "gui/tray_icon.h"

namespace quillon::gui {

TrayIcon::TrayIcon(const QIcon& icon, Notify notify, QObject* parent)
    : QObject(parent), notify_(std::move(notify)), icon_(icon) {
    icon_.setToolTip(kTooltip);
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (!notify_) {
                    return;
                }
                if (why == QSystemTrayIcon::Trigger) {
                    notify_(kLeftButtonUp);
                } else if (why == QSystemTrayIcon::Context) {
                    notify_(kRightButtonUp);
                }
            });
}

}  // namespace quillon::gui
