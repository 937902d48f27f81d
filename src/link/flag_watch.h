#pragma once

// Wakes the threads that wait for a device link's `connected` or
// `syncLighting` flag to change: a device arriving or leaving, synchronised
// lighting starting. Each waiter subscribes once and gets a signal of its own,
// so one waiter's wake never swallows another's. A change made between a
// waiter's look at the flags and its wait still ends that wait at once.

#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>

#include "platform/abort_signal.h"

namespace quillon::link {

class FlagWatch {
  public:
    static constexpr std::size_t kMaxWaiters = 6;

    FlagWatch() = default;
    FlagWatch(const FlagWatch&) = delete;
    FlagWatch& operator=(const FlagWatch&) = delete;

    // A waiter id, or kMaxWaiters when all are taken (that waiter gets no fd).
    std::size_t subscribe();
    // Readable once a change was announced after the waiter's last consume();
    // -1 for an id without a signal.
    int fd(std::size_t id) const;
    // The waiter is about to look at the flags again.
    void consume(std::size_t id);

    // Any thread, after changing a flag.
    void announce();

  private:
    std::mutex mutex_;
    std::array<platform::AbortSignal, kMaxWaiters> signals_;
    std::atomic<std::size_t> count_{0};
};

}  // namespace quillon::link
