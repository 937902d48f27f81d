#pragma once

// Device work that the GUI thread hands off so that it never waits on a silent
// device (each unanswered exchange costs up to 1.2 s): the settings flush and
// the re-reads of a device's stored state. One worker runs the jobs in the
// order they came; a job hands what the views need back to the GUI thread
// itself (EventLoop::post). The queue is bounded: a job beyond it is refused.

#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

#include "link/stop_signal.h"
#include "platform/abort_signal.h"

namespace quillon::shell {

class DeviceJobs {
  public:
    static constexpr std::size_t kMaxQueued = 32;

    DeviceJobs() = default;
    DeviceJobs(const DeviceJobs&) = delete;
    DeviceJobs& operator=(const DeviceJobs&) = delete;

    // Any thread. False (job dropped) when the queue is full.
    [[nodiscard]] bool post(std::function<void()> job);

    // The worker body: runs jobs as they come until `stop`; jobs still queued
    // then are dropped.
    void run(const link::StopSignal& stop);

  private:
    std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
    platform::AbortSignal ready_;
};

}  // namespace quillon::shell
