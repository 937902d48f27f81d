#pragma once

// The stop request of a monitor thread: set once, never reset, so a stop asked
// for while a thread is still starting is not lost. Backed by an eventfd that is
// never read, so it stays readable and a poll() on it together with a device or
// hotplug descriptor wakes at once.

#include <chrono>
#include <cstddef>
#include <span>

namespace quillon::link {

class StopSignal {
  public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void request();
    bool requested() const;

    enum class Wake { stop, timeout, other };
    // Waits up to `limit` for the stop request or for `otherFd` (-1: none) to
    // become readable. A stop wins over the other descriptor.
    Wake waitFor(std::chrono::milliseconds limit, int otherFd = -1) const;
    // The same with several descriptors (-1 entries are skipped); `which`
    // receives the index in `others` of a readable one.
    Wake waitFor(std::chrono::milliseconds limit, std::span<const int> others,
                 std::size_t* which = nullptr) const;

    int fd() const { return fd_; }

  private:
    int fd_;
};

}  // namespace quillon::link
