#include "platform/abort_signal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace quillon::platform {

AbortSignal::AbortSignal() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    // Without its eventfd no wait could ever be aborted; that is not a state to run in.
    if (fd_ < 0) std::abort();
}

AbortSignal::~AbortSignal() { ::close(fd_); }

void AbortSignal::set() {
    const std::uint64_t one = 1;
    // EAGAIN only when the counter is near overflow: it is set already.
    [[maybe_unused]] ssize_t n = ::write(fd_, &one, sizeof one);
}

bool AbortSignal::consume() {
    std::uint64_t value = 0;
    ssize_t n;
    do {
        n = ::read(fd_, &value, sizeof value);
    } while (n < 0 && errno == EINTR);
    return n == sizeof value && value != 0;
}

}  // namespace quillon::platform
