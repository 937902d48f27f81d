#include "gui/qt_event_loop.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace quillon::gui {

QtEventLoop::QtEventLoop() : guiThread_(std::this_thread::get_id()) {}

QtEventLoop::~QtEventLoop() {
    end();
    // Work still queued is destroyed with this object, on this thread.
    const std::lock_guard seen(handoff_);
}

void QtEventLoop::end() {
    ended_.store(true);
    for (auto& [id, timer] : timers_) {
        timer->stop();
    }
    handler_ = nullptr;
}

bool QtEventLoop::post(std::function<void()> fn) {
    if (ended_.load()) {
        return false;
    }
    // Qt owns the queued call; if this object goes first the call and its
    // function are destroyed without running, which releases a waiting sender.
    const std::lock_guard handing(handoff_);
    return QMetaObject::invokeMethod(
        this,
        [this, fn = std::move(fn)] {
            { const std::lock_guard taken(handoff_); }
            if (!ended_.load()) {
                fn();
            }
        },
        Qt::QueuedConnection);
}

QTimer& QtEventLoop::timer(shell::TimerId id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) {
        auto* made = new QTimer(this);
        connect(made, &QTimer::timeout, this, [this, id] {
            if (handler_) {
                // The handler may replace itself; the running copy stays alive.
                const auto handler = handler_;
                handler(id);
            }
        });
        it = timers_.emplace(id, made).first;
    }
    return *it->second;
}

void QtEventLoop::startTimer(shell::TimerId id, std::chrono::milliseconds interval,
                             shell::TimerMode mode) {
    if (!isLoopThread()) {
        (void)post([this, id, interval, mode] { startTimer(id, interval, mode); });
        return;
    }
    if (ended_.load()) {
        return;
    }
    QTimer& t = timer(id);
    t.setSingleShot(mode == shell::TimerMode::once);
    t.start(interval);  // restarts a pending timer
}

void QtEventLoop::stopTimer(shell::TimerId id) {
    if (!isLoopThread()) {
        (void)post([this, id] { stopTimer(id); });
        return;
    }
    if (const auto it = timers_.find(id); it != timers_.end()) {
        it->second->stop();
    }
}

void QtEventLoop::setTimerHandler(std::function<void(shell::TimerId)> handler) {
    handler_ = std::move(handler);
}

bool QtEventLoop::timerActive(shell::TimerId id) const {
    const auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
}

}  // namespace quillon::gui
