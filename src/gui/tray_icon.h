#pragma once

// The notification-area icon. A left click shows the main window or hides
// it again while a device is attached, and explains that none is otherwise;
// a right click opens the tray menu with the program's own items.

#include <QSystemTrayIcon>
#include <functional>
#include <string>

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
        std::function<bool()> autostartEnabled;
        std::function<void(const std::string&)> menuCommand;  // the chosen item's name
    };

    TrayIcon(QtSkin& skin, const QIcon& icon, Actions actions, QObject* parent = nullptr);

    void show() { icon_.show(); }
    void hide() { icon_.hide(); }
    QSystemTrayIcon& icon() { return icon_; }

    // What the clicks do (public so that they can be driven without a tray).
    void leftClick();
    // Builds the tray menu: the skin's "menu.xml" with `exit` and `ON_or_OFF`
    // after its first item. The caller owns the menu.
    QMenu* buildMenu();

  private:
    void rightClick();

    QtSkin& skin_;
    Actions actions_;
    QSystemTrayIcon icon_;
};

}  // namespace quillon::gui
