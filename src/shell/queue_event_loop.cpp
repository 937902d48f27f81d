#include "shell/queue_event_loop.h"

#include <utility>
#include <vector>

namespace quillon::shell {

QueueEventLoop::QueueEventLoop(Now now)
    : now_(std::move(now)), loopThread_(std::this_thread::get_id()) {}

QueueEventLoop::~QueueEventLoop() {
    quit();
}

bool QueueEventLoop::post(std::function<void()> fn) {
    {
        std::lock_guard lock(mutex_);
        if (ended_) {
            return false;  // fn is destroyed here, outside the loop's work
        }
        queue_.push_back(std::move(fn));
    }
    wake_.notify_one();
    return true;
}

void QueueEventLoop::startTimer(TimerId id, std::chrono::milliseconds interval, TimerMode mode) {
    {
        std::lock_guard lock(mutex_);
        if (ended_) {
            return;
        }
        timers_.insert_or_assign(id, Timer{now() + interval, interval, mode, ++generations_});
    }
    wake_.notify_one();
}

void QueueEventLoop::stopTimer(TimerId id) {
    std::lock_guard lock(mutex_);
    timers_.erase(id);
}

bool QueueEventLoop::timerActive(TimerId id) const {
    std::lock_guard lock(mutex_);
    return timers_.contains(id);
}

void QueueEventLoop::setTimerHandler(std::function<void(TimerId)> handler) {
    std::lock_guard lock(mutex_);
    timerHandler_ = std::move(handler);
}

void QueueEventLoop::quit() {
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(mutex_);
        ended_ = true;
        dropped.swap(queue_);
        timers_.clear();
    }
    wake_.notify_all();
    // `dropped` is destroyed here, without the lock: that releases waiting senders.
}

std::size_t QueueEventLoop::runBatch() {
    std::deque<std::function<void()>> work;
    std::vector<std::pair<TimerId, std::uint64_t>> due;
    {
        std::lock_guard lock(mutex_);
        if (ended_) {
            return 0;
        }
        work.swap(queue_);
        const auto t = now();
        for (const auto& [id, timer] : timers_) {
            if (timer.due <= t) {
                due.emplace_back(id, timer.generation);
            }
        }
    }
    for (auto& fn : work) {
        fn();
    }
    std::size_t fired = 0;
    for (const auto& [id, generation] : due) {
        std::function<void(TimerId)> handler;
        {
            std::lock_guard lock(mutex_);
            const auto it = timers_.find(id);
            // Stopped or started anew by the work above: the due firing is gone.
            if (ended_ || it == timers_.end() || it->second.generation != generation) {
                continue;
            }
            if (it->second.mode == TimerMode::once) {
                timers_.erase(it);
            } else {
                it->second.due = now() + it->second.interval;
            }
            handler = timerHandler_;
        }
        ++fired;
        if (handler) {
            handler(id);
        }
    }
    return work.size() + fired;
}

std::size_t QueueEventLoop::runPending() {
    loopThread_ = std::this_thread::get_id();
    std::size_t total = 0;
    // Bounded, so work that keeps posting itself cannot hang a test.
    for (int round = 0; round < 10000; ++round) {
        const std::size_t ran = runBatch();
        if (ran == 0) {
            break;
        }
        total += ran;
    }
    return total;
}

void QueueEventLoop::run() {
    loopThread_ = std::this_thread::get_id();
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (ended_) {
                return;
            }
            if (queue_.empty()) {
                if (timers_.empty()) {
                    wake_.wait(lock);
                } else {
                    auto next = timers_.begin()->second.due;
                    for (const auto& [id, timer] : timers_) {
                        next = std::min(next, timer.due);
                    }
                    const auto wait = next - now();
                    if (wait > Clock::duration::zero()) {
                        wake_.wait_for(lock, wait);
                    }
                }
            }
            if (ended_) {
                return;
            }
        }
        (void)runBatch();
    }
}

}  // namespace quillon::shell
