#include "link/stop_signal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace quillon::link {

StopSignal::StopSignal() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    // A thread that cannot be stopped is not a state to run in.
    if (fd_ < 0)
        std::abort();
}

StopSignal::~StopSignal() {
    ::close(fd_);
}

void StopSignal::request() {
    const std::uint64_t one = 1;
    // EAGAIN only when the counter is near overflow: requested already.
    [[maybe_unused]] ssize_t n = ::write(fd_, &one, sizeof one);
}

bool StopSignal::requested() const {
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

StopSignal::Wake StopSignal::waitFor(std::chrono::milliseconds limit, int otherFd) const {
    const int others[1] = {otherFd};
    return waitFor(limit, std::span<const int>(others));
}

StopSignal::Wake StopSignal::waitFor(std::chrono::milliseconds limit, std::span<const int> others,
                                     std::size_t* which) const {
    constexpr std::size_t kMaxOthers = 4;
    pollfd fds[1 + kMaxOthers] = {{fd_, POLLIN, 0}};
    std::size_t index[1 + kMaxOthers] = {};
    nfds_t count = 1;
    for (std::size_t i = 0; i < others.size() && count < 1 + kMaxOthers; ++i) {
        if (others[i] < 0)
            continue;
        fds[count] = {others[i], POLLIN, 0};
        index[count] = i;
        ++count;
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const int ms = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        const int n = ::poll(fds, count, ms);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return requested() ? Wake::stop : Wake::timeout;
        if (fds[0].revents & POLLIN)
            return Wake::stop;
        for (nfds_t k = 1; k < count; ++k) {
            if (fds[k].revents == 0)
                continue;
            if (which != nullptr)
                *which = index[k];
            return Wake::other;
        }
        return Wake::timeout;
    }
}

}  // namespace quillon::link
