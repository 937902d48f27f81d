#pragma once

// The end of a transfer's time limit, as a poll() timeout.

#include <chrono>

#include "platform/hid/hid_backend.h"

namespace quillon::platform {

class Deadline {
  public:
    using Clock = std::chrono::steady_clock;

    // timeoutMs may be kNoTimeLimit (or any negative value): never expires.
    explicit Deadline(int timeoutMs)
        : unlimited_(timeoutMs < 0),
          end_(Clock::now() + std::chrono::milliseconds(unlimited_ ? 0 : timeoutMs)) {}

    // Milliseconds left for poll(): -1 without a limit, rounded up so that a
    // wait never ends just before the limit and spins once more.
    int pollTimeoutMs() const {
        if (unlimited_)
            return -1;
        const auto left = end_ - Clock::now();
        if (left <= Clock::duration::zero())
            return 0;
        return int(std::chrono::ceil<std::chrono::milliseconds>(left).count());
    }

  private:
    bool unlimited_;
    Clock::time_point end_;
};

}  // namespace quillon::platform
