#pragma once

// Shares the backend's hotplug news among several searching polls. The
// backend offers one descriptor whose news is drained once; without the relay
// the first poll to drain it would swallow the news for the others. Each poll
// subscribes and waits on the backend's descriptor and on its own signal; the
// poll that wakes on the backend drains it and sets everyone else's signal.

#include <array>
#include <cstddef>
#include <mutex>

#include "platform/abort_signal.h"
#include "platform/hid/hid_backend.h"

namespace quillon::link {

class HotplugRelay {
  public:
    static constexpr std::size_t kMaxSubscribers = 4;

    explicit HotplugRelay(platform::HidBackend& backend) : backend_(backend) {}
    HotplugRelay(const HotplugRelay&) = delete;
    HotplugRelay& operator=(const HotplugRelay&) = delete;

    // A subscriber id, or kMaxSubscribers when all are taken. Before the polls start.
    std::size_t subscribe();

    // The two descriptors a subscriber waits on: [0] the backend's (-1 when it
    // has none), [1] its own signal.
    std::array<int, 2> waitFds(std::size_t id) const;

    // Called by a subscriber at the start of each poll: the news it was woken
    // for is being acted on now.
    void consume(std::size_t id);
    // Called by a subscriber whose wait ended on the backend's descriptor.
    void relay(std::size_t id);

  private:
    platform::HidBackend& backend_;
    std::mutex mutex_;
    std::array<platform::AbortSignal, kMaxSubscribers> signals_;
    std::size_t count_ = 0;
};

}  // namespace quillon::link
