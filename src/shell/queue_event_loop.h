#pragma once

// The headless event loop: a queue of work and a set of timers, run either by
// a thread that calls run() (the command-line front end, threaded tests) or
// pumped by hand with runPending() under a clock the test moves.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "shell/event_loop.h"

namespace quillon::shell {

class QueueEventLoop final : public EventLoop {
  public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;

    // The constructing thread is the loop thread until run() is called
    // elsewhere. `now` replaces the steady clock (for runPending in tests).
    explicit QueueEventLoop(Now now = {});
    ~QueueEventLoop() override;
    QueueEventLoop(const QueueEventLoop&) = delete;
    QueueEventLoop& operator=(const QueueEventLoop&) = delete;

    // Makes the calling thread the loop thread and runs work and timers until
    // quit(). Sleeps while there is nothing to do.
    void run();
    // Ends the loop (from any thread): queued work is dropped, later posts are
    // refused, timers stop. Senders waiting for dropped work are released.
    void quit();
    // Runs the queued work and the timers that are due, repeatedly, until
    // nothing is left to run now; returns how many items ran.
    std::size_t runPending();

    bool timerActive(TimerId id) const;

    bool post(std::function<void()> fn) override;
    bool isLoopThread() const override { return std::this_thread::get_id() == loopThread_.load(); }
    void startTimer(TimerId id, std::chrono::milliseconds interval, TimerMode mode) override;
    void stopTimer(TimerId id) override;
    void setTimerHandler(std::function<void(TimerId)> handler) override;

  private:
    struct Timer {
        Clock::time_point due;
        std::chrono::milliseconds interval;
        TimerMode mode;
        std::uint64_t generation;  // tells a restarted timer from the one that was due
    };
    Clock::time_point now() const { return now_ ? now_() : Clock::now(); }
    // Runs one batch: the queued work, then the due timers. Returns items run.
    std::size_t runBatch();

    Now now_;
    std::atomic<std::thread::id> loopThread_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    std::map<TimerId, Timer> timers_;
    std::function<void(TimerId)> timerHandler_;
    std::uint64_t generations_ = 0;
    bool ended_ = false;
};

}  // namespace quillon::shell
