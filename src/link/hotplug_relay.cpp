#include "link/hotplug_relay.h"

namespace quillon::link {

std::size_t HotplugRelay::subscribe() {
    std::lock_guard guard(mutex_);
    if (count_ == kMaxSubscribers)
        return kMaxSubscribers;
    return count_++;
}

std::array<int, 2> HotplugRelay::waitFds(std::size_t id) const {
    return {backend_.hotplugFd(), id < kMaxSubscribers ? signals_[id].fd() : -1};
}

void HotplugRelay::consume(std::size_t id) {
    if (id < kMaxSubscribers)
        static_cast<void>(signals_[id].consume());
}

void HotplugRelay::relay(std::size_t id) {
    std::lock_guard guard(mutex_);
    backend_.drainHotplug();
    for (std::size_t i = 0; i < count_; ++i)
        if (i != id)
            signals_[i].set();
}

}  // namespace quillon::link
