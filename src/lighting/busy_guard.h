#pragma once

// The busy byte some effects keep: a call that finds it set returns at once.

#include <atomic>

namespace quillon::lighting {

// Clears a busy byte when the tick ends.
class BusyGuard {
  public:
    explicit BusyGuard(std::atomic<bool>& busy) : busy_(busy), held_(!busy.exchange(true)) {}
    ~BusyGuard() {
        if (held_)
            busy_.store(false);
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
    bool held() const { return held_; }

  private:
    std::atomic<bool>& busy_;
    bool held_;
};

}  // namespace quillon::lighting
