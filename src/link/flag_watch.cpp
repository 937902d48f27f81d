#include "link/flag_watch.h"

namespace quillon::link {

std::size_t FlagWatch::subscribe() {
    std::lock_guard guard(mutex_);
    const std::size_t n = count_.load();
    if (n == kMaxWaiters)
        return kMaxWaiters;
    count_.store(n + 1);
    return n;
}

int FlagWatch::fd(std::size_t id) const {
    return id < kMaxWaiters ? signals_[id].fd() : -1;
}

void FlagWatch::consume(std::size_t id) {
    if (id < kMaxWaiters)
        static_cast<void>(signals_[id].consume());
}

void FlagWatch::announce() {
    const std::size_t n = count_.load();
    for (std::size_t i = 0; i < n; ++i)
        signals_[i].set();
}

}  // namespace quillon::link
