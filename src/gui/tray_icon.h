#pragma once

// The notification-area icon. A left click shows the main window or hides
// it again while a device is attached, and explains that none is otherwise;
// a right click asks the core for the tray menu.

#include <QSystemTrayIcon>
#include <functional>

namespace quillon::gui {

class QtSkin;

class TrayIcon : public QObject {
    Q_OBJECT

  public:
    static constexpr const char* kTooltip = "Quillon Gaming Software 3.0";

    struct Actions {
        std::function<bool()> anyDeviceAttached;
        std::function<void()> showNoDeviceMessage;  // "message_text_1", once at a time
        std::function<void()> relayoutSoon;         // timer 7, 10 ms
        std::function<void()> openMenu;             // the tray menu with the program's items
    };

    TrayIcon(QtSkin& skin, const QIcon& icon, Actions actions, QObject* parent = nullptr);

    void show() { icon_.show(); }
    void hide() { icon_.hide(); }
    QSystemTrayIcon& icon() { return icon_; }

    // What a left click does (public so that it can be driven without a tray).
    void leftClick();

  private:
    QtSkin& skin_;
    Actions actions_;
    QSystemTrayIcon icon_;
};

}  // namespace quillon::gui
