#pragma once

// The GUI thread's event loop as the core sees it: run work on the GUI thread
// from any thread, and timers by id. gui/ implements it over the Qt event
// loop; QueueEventLoop is the headless implementation.

#include <chrono>
#include <functional>

#include "link/stop_signal.h"
#include "shell/timer_ids.h"

namespace quillon::shell {

class EventLoop {
  public:
    virtual ~EventLoop() = default;

    // Queues fn to run on the GUI thread. Callable from any thread. Returns
    // false (and drops fn) once the loop has ended.
    virtual bool post(std::function<void()> fn) = 0;

    // Whether the calling thread is the GUI thread.
    virtual bool isLoopThread() const = 0;

    // Starts timer `id`, or restarts it: a new start replaces the pending one,
    // so two starts within the interval give one firing. Callable from any
    // thread. The handler runs on the GUI thread.
    virtual void startTimer(TimerId id, std::chrono::milliseconds interval, TimerMode mode) = 0;
    virtual void stopTimer(TimerId id) = 0;
    virtual void setTimerHandler(std::function<void(TimerId)> handler) = 0;

    // Runs fn on the GUI thread and waits until it has run ("sent message").
    // On the GUI thread itself fn runs at once. Returns false, with fn not run,
    // when the loop has ended or when `stop` was requested before fn began —
    // so a worker waiting here never keeps shutdown waiting. Once fn has begun
    // it is waited for.
    bool sendAndWait(const std::function<void()>& fn, const link::StopSignal* stop = nullptr);

  protected:
    EventLoop() = default;
    EventLoop(const EventLoop&) = default;
    EventLoop& operator=(const EventLoop&) = default;
};

}  // namespace quillon::shell
