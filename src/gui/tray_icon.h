#pragma once

// The notification-area icon. Its clicks go to the core as the tray message
// with the mouse message of the click; the core decides what they do.

#include <QSystemTrayIcon>
#include <cstdint>
#include <functional>

namespace quillon::gui {

class TrayIcon : public QObject {
    Q_OBJECT

  public:
    static constexpr const char* kTooltip = "Quillon Gaming Software 3.0";
    static constexpr std::int64_t kLeftButtonUp = 0x0202;
    static constexpr std::int64_t kRightButtonUp = 0x0205;

    // Receives the mouse message of each click.
    using Notify = std::function<void(std::int64_t mouseMessage)>;

    TrayIcon(const QIcon& icon, Notify notify, QObject* parent = nullptr);

    void show() { icon_.show(); }
    void hide() { icon_.hide(); }
    QSystemTrayIcon& icon() { return icon_; }

  private:
    Notify notify_;
    QSystemTrayIcon icon_;
};

}  // namespace quillon::gui
