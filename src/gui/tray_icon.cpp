#include "gui/tray_icon.h"

#include <QCursor>
#include <QMenu>

#include "gui/qt_skin.h"

namespace quillon::gui {

namespace {
constexpr int kMenuItemWidth = 215;
constexpr int kMenuLift = 25;  // the menu opens this far above the pointer
}  // namespace

TrayIcon::TrayIcon(QtSkin& skin, const QIcon& icon, Actions actions, QObject* parent)
    : QObject(parent), skin_(skin), actions_(std::move(actions)), icon_(icon) {
    icon_.setToolTip(kTooltip);
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Trigger) {
                    leftClick();
                } else if (why == QSystemTrayIcon::Context) {
                    rightClick();
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

QMenu* TrayIcon::buildMenu() {
    auto* menu = new QMenu;
    menu->setObjectName("tray_menu");
    (void)skin_.buildMenu("menu.xml", *menu);  // a missing file still leaves the program's items

    auto* exitItem = new QAction(QString::fromStdString(skin_.translate("exit")), menu);
    exitItem->setObjectName("exit");
    const bool autostart = actions_.autostartEnabled && actions_.autostartEnabled();
    auto* startup = new QAction(
        QString::fromStdString(skin_.translate(autostart ? "startup_off" : "startup_on")), menu);
    startup->setObjectName("ON_or_OFF");

    const QList<QAction*> items = menu->actions();
    QAction* second = items.size() > 1 ? items.at(1) : nullptr;
    menu->insertAction(second, exitItem);
    menu->insertAction(second, startup);
    menu->setMinimumWidth(kMenuItemWidth);
    return menu;
}

void TrayIcon::rightClick() {
    std::unique_ptr<QMenu> menu(buildMenu());
    const QAction* chosen = menu->exec(QCursor::pos() - QPoint(0, kMenuLift));
    if (chosen != nullptr && actions_.menuCommand) {
        actions_.menuCommand(chosen->objectName().toStdString());
    }
}

}  // namespace quillon::gui
