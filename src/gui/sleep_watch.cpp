#include "gui/sleep_watch.h"

#include <QDBusConnection>

namespace quillon::gui {

SleepWatch::SleepWatch(std::function<void(bool)> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed)) {
    QDBusConnection bus = QDBusConnection::systemBus();
    watching_ =
        bus.isConnected() && bus.connect("org.freedesktop.login1", "/org/freedesktop/login1",
                                         "org.freedesktop.login1.Manager", "PrepareForSleep", this,
                                         SLOT(prepareForSleep(bool)));
}

void SleepWatch::prepareForSleep(bool suspending) {
    if (changed_) {
        changed_(suspending);
    }
}

}  // namespace quillon::gui
