#include "shell/event_loop.h"

#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/abort_signal.h"

namespace quillon::shell {

namespace {

// What a sender and the GUI thread share for one sent call.
struct SendState {
    enum class Phase { queued, running, done, dropped, cancelled };
    std::mutex mutex;
    std::condition_variable changed;
    Phase phase = Phase::queued;
    platform::AbortSignal finished;  // lets a sender poll() it with its stop signal

    void settle(Phase to) {
        std::lock_guard lock(mutex);
        phase = to;
        finished.set();
        changed.notify_all();
    }
};

// Travels inside the posted function. If the loop destroys the function
// without running it (the loop ended), the sender is released.
struct SendTicket {
    std::shared_ptr<SendState> state;
    bool ran = false;
    ~SendTicket() {
        if (!ran) {
            std::lock_guard lock(state->mutex);
            if (state->phase == SendState::Phase::queued) {
                state->phase = SendState::Phase::dropped;
                state->finished.set();
                state->changed.notify_all();
            }
        }
    }
};

}  // namespace

bool EventLoop::sendAndWait(const std::function<void()>& fn, const link::StopSignal* stop) {
    if (isLoopThread()) {
        fn();
        return true;
    }
    auto state = std::make_shared<SendState>();
    auto ticket = std::make_shared<SendTicket>();
    ticket->state = state;
    // `fn` lives on the sender's stack: the task touches it only after it has
    // moved the phase to running, which the sender never lets happen once it
    // gave up.
    const bool queued = post([ticket, &fn] {
        SendState& s = *ticket->state;
        ticket->ran = true;
        {
            std::lock_guard lock(s.mutex);
            if (s.phase != SendState::Phase::queued) {
                return;
            }
            s.phase = SendState::Phase::running;
        }
        fn();
        s.settle(SendState::Phase::done);
    });
    ticket.reset();
    if (!queued) {
        return false;
    }
    if (stop != nullptr) {
        for (;;) {
            {
                std::lock_guard lock(state->mutex);
                if (state->phase == SendState::Phase::done) {
                    return true;
                }
                if (state->phase == SendState::Phase::dropped) {
                    return false;
                }
            }
            if (stop->waitFor(std::chrono::hours(1), state->finished.fd()) ==
                link::StopSignal::Wake::stop) {
                break;
            }
            (void)state->finished.consume();
        }
    }
    std::unique_lock lock(state->mutex);
    if (stop != nullptr && state->phase == SendState::Phase::queued) {
        state->phase = SendState::Phase::cancelled;
        return false;
    }
    state->changed.wait(lock, [&] {
        return state->phase == SendState::Phase::done || state->phase == SendState::Phase::dropped;
    });
    return state->phase == SendState::Phase::done;
}

}  // namespace quillon::shell
