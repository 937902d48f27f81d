#pragma once

// A manual-reset stop request that a thread waits on with a time limit, so a
// pause ends as soon as the thread is asked to stop.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quillon::lighting {

class StopSignal {
  public:
    void set() {
        {
            std::lock_guard<std::mutex> hold(mutex_);
            stopped_ = true;
        }
        cv_.notify_all();
    }
    bool isSet() const {
        std::lock_guard<std::mutex> hold(mutex_);
        return stopped_;
    }
    // True when the signal is set (now or within the wait).
    bool waitFor(int ms) {
        std::unique_lock<std::mutex> hold(mutex_);
        if (ms <= 0)
            return stopped_;
        return cv_.wait_for(hold, std::chrono::milliseconds(ms), [this] { return stopped_; });
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool stopped_ = false;
};

}  // namespace quillon::lighting
