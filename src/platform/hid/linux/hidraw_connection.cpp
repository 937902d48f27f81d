#include "platform/hid/linux/hidraw_connection.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/hid/linux/deadline.h"

namespace quillon::platform {
namespace {

// hidraw queues at most 64 reports per reader; anything beyond a few hundred
// means the device keeps sending, and discarding must still end.
constexpr int kMaxDiscarded = 256;

}  // namespace

HidrawConnection::HidrawConnection(int fd, HidAttributes attributes, TopLevelCollection collection,
                                   bool deviceUsesReportIds)
    : fd_(std::make_shared<const FileDescriptor>(fd)),
      attributes_(attributes),
      collection_(std::move(collection)),
      reportIds_(deviceUsesReportIds),
      writer_(fd_) {}

TransferStatus HidrawConnection::writeReport(std::span<const std::uint8_t> report, int timeoutMs,
                                             AbortSignal& abort, std::size_t& written) {
    // hidraw takes byte 0 as the report id also when the device uses none (0).
    return writer_.write(report, timeoutMs, abort, written);
}

TransferStatus HidrawConnection::readReport(std::span<std::uint8_t> buffer, int timeoutMs,
                                            AbortSignal& abort, std::size_t& got) {
    got = 0;
    // Without report ids hidraw leaves out the id byte: read behind a 0 there.
    const std::size_t idBytes = reportIds_ ? 0 : 1;
    if (buffer.size() <= idBytes)
        return TransferStatus::failed;
    const std::span<std::uint8_t> target = buffer.subspan(idBytes);
    const Deadline deadline(timeoutMs);
    for (;;) {
        pollfd fds[2] = {{abort.fd(), POLLIN, 0}, {fd_->get(), POLLIN, 0}};
        const int r = ::poll(fds, 2, deadline.pollTimeoutMs());
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return TransferStatus::failed;
        }
        if (r == 0)
            return TransferStatus::timedOut;
        if ((fds[0].revents & POLLIN) && abort.consume())
            return TransferStatus::aborted;
        const short device = fds[1].revents;
        if (device & POLLIN) {
            // Reports still queued are read even when the device has hung up.
            const ssize_t n = ::read(fd_->get(), target.data(), target.size());
            if (n < 0) {
                if (errno == EINTR || errno == EAGAIN)
                    continue;
                return TransferStatus::failed;  // ENODEV, EIO: the device is gone
            }
            if (n == 0)
                return TransferStatus::failed;  // end of file: the peer is gone
            if (reportIds_) {
                if (!collection_.usesReportId(target[0]))
                    continue;  // another collection's
            } else {
                buffer[0] = 0;
            }
            got = std::size_t(n) + idBytes;
            return TransferStatus::completed;
        }
        if (device & (POLLHUP | POLLERR | POLLNVAL))
            return TransferStatus::failed;
    }
}

void HidrawConnection::discardPendingInput() {
    std::array<std::uint8_t, 64> scratch;  // a longer report is dropped whole all the same
    for (int i = 0; i < kMaxDiscarded; ++i) {
        pollfd fd{fd_->get(), POLLIN, 0};
        if (::poll(&fd, 1, 0) <= 0 || !(fd.revents & POLLIN))
            return;
        if (::read(fd_->get(), scratch.data(), scratch.size()) <= 0)
            return;
    }
}

}  // namespace quillon::platform
