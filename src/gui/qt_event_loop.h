#pragma once

// The core's event loop over the Qt event loop of the GUI thread: posted work
// runs as queued calls on a receiver object that lives on that thread, and
// each timer id is one QTimer, so starting it again replaces the pending shot.

#include <QObject>
#include <QTimer>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>

#include "shell/event_loop.h"

namespace quillon::gui {

class QtEventLoop final : public QObject, public shell::EventLoop {
    Q_OBJECT

  public:
    // Must be made on the GUI thread.
    QtEventLoop();
    ~QtEventLoop() override;

    // Refuses later posts and stops the timers; work still queued is dropped
    // (senders waiting for it are released). Called when the program ends.
    void end();
    bool ended() const { return ended_.load(); }

    bool post(std::function<void()> fn) override;
    bool isLoopThread() const override { return std::this_thread::get_id() == guiThread_; }
    void startTimer(shell::TimerId id, std::chrono::milliseconds interval,
                    shell::TimerMode mode) override;
    void stopTimer(shell::TimerId id) override;
    void setTimerHandler(std::function<void(shell::TimerId)> handler) override;

    bool timerActive(shell::TimerId id) const;

  private:
    QTimer& timer(shell::TimerId id);

    const std::thread::id guiThread_;
    std::atomic<bool> ended_{false};
    // Taken around each hand-over of work to the GUI thread. Qt's event queue
    // has its own lock, but inside a library the sanitizers do not see; this
    // one makes the hand-over visible to them. Never contended for long.
    std::mutex handoff_;
    std::map<shell::TimerId, QTimer*> timers_;  // GUI thread only
    std::function<void(shell::TimerId)> handler_;
};

}  // namespace quillon::gui
