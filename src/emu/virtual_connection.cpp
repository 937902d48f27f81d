#include "emu/virtual_connection.h"

#include <poll.h>

#include <cerrno>
#include <ctime>
#include <optional>

#include "link/command_report.h"

namespace quillon::emu {
namespace {

using platform::TransferStatus;

struct WaitResult {
    bool aborted = false;
    bool gone = false;
};

// Waits until one of the fds is readable or `deadline` (nullopt: no limit) passes.
WaitResult waitFor(int wakeFd, platform::AbortSignal& abort, int goneFd,
                   std::optional<Clock::time_point> deadline) {
    pollfd fds[3] = {{abort.fd(), POLLIN, 0}, {goneFd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    const nfds_t count = wakeFd >= 0 ? 3 : 2;
    timespec limit{};
    timespec* limitPtr = nullptr;
    if (deadline) {
        const auto left = std::max(*deadline - Clock::now(), Clock::duration::zero());
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        limit.tv_sec = time_t(ns / 1'000'000'000);
        limit.tv_nsec = long(ns % 1'000'000'000);
        limitPtr = &limit;
    }
    int n;
    do {
        n = ::ppoll(fds, count, limitPtr, nullptr);
    } while (n < 0 && errno == EINTR);
    WaitResult r;
    if (n > 0) {
        r.aborted = (fds[0].revents & POLLIN) != 0;
        r.gone = (fds[1].revents & POLLIN) != 0;
    }
    return r;
}

std::optional<Clock::time_point> deadlineFrom(int timeoutMs) {
    if (timeoutMs < 0)
        return std::nullopt;
    return Clock::now() + std::chrono::milliseconds(timeoutMs);
}

}  // namespace

VirtualConnection::VirtualConnection(std::shared_ptr<EmulatedDevice> device,
                                     const EmulatedCollection& collection,
                                     platform::HidOpenFlags flags)
    : device_(std::move(device)), collection_(collection), flags_(flags) {
    device_->registerConnection(this);
}

VirtualConnection::~VirtualConnection() {
    device_->unregisterConnection(this);
}

TransferStatus VirtualConnection::writeReport(std::span<const std::uint8_t> report, int timeoutMs,
                                              platform::AbortSignal& abort, std::size_t& written) {
    written = 0;
    if (!flags_.write || !device_->present())
        return TransferStatus::failed;
    if (abort.consume())
        return TransferStatus::aborted;

    // A stalled device keeps the write in the kernel; past the limit it never arrives.
    const auto stall = device_->writeStall();
    if (stall.count() > 0) {
        const auto deadline = deadlineFrom(timeoutMs);
        const auto stallEnd = Clock::now() + stall;
        const bool limitFirst = deadline && *deadline <= stallEnd;
        const Clock::time_point end = limitFirst ? *deadline : stallEnd;
        while (Clock::now() < end) {
            const WaitResult w = waitFor(-1, abort, device_->goneFd(), end);
            if (w.gone)
                return TransferStatus::failed;
            if (w.aborted && abort.consume())
                return TransferStatus::aborted;
        }
        if (limitFirst)
            return TransferStatus::timedOut;
    }

    std::lock_guard lock(device_->mutex());
    if (!device_->present())
        return TransferStatus::failed;
    switch (collection_.role) {
        case CollectionRole::command:
            if (report.size() != link::kReportSize || report[0] != link::kCommandReportId)
                return TransferStatus::failed;
            device_->takeCommand(*this, report);
            break;
        case CollectionRole::bootKeyboard:
            // The keyboard LED report: id byte 0 and one byte of LED bits.
            if (report.size() != 2 || report[0] != 0)
                return TransferStatus::failed;
            break;
        case CollectionRole::events:
            return TransferStatus::failed;  // no output reports
    }
    written = report.size();
    return TransferStatus::completed;
}

TransferStatus VirtualConnection::readReport(std::span<std::uint8_t> buffer, int timeoutMs,
                                             platform::AbortSignal& abort, std::size_t& got) {
    got = 0;
    if (!flags_.read)
        return TransferStatus::failed;
    const auto deadline = deadlineFrom(timeoutMs);
    for (;;) {
        if (abort.consume())
            return TransferStatus::aborted;
        // Drained before looking at the queue: a report queued after this
        // point sets it again, so the poll below cannot miss it.
        wake_.consume();
        std::optional<Clock::time_point> wakeAt = deadline;
        {
            std::lock_guard lock(device_->mutex());
            const auto now = Clock::now();
            if (auto n = queue_.popDue(now, buffer)) {
                got = *n;
                return TransferStatus::completed;
            }
            if (!device_->present())
                return TransferStatus::failed;
            if (deadline && now >= *deadline)
                return TransferStatus::timedOut;
            if (auto due = queue_.firstDue(); due && (!wakeAt || *due < *wakeAt))
                wakeAt = due;
        }
        // An unplug wakes the wait; the next pass reads what is left, then fails.
        (void)waitFor(wake_.fd(), abort, device_->goneFd(), wakeAt);
    }
}

void VirtualConnection::discardPendingInput() {
    std::lock_guard lock(device_->mutex());
    queue_.dropDue(Clock::now());
}

void VirtualConnection::queueInput(std::span<const std::uint8_t> report, Clock::time_point due) {
    if (queue_.push(report, due))
        wake_.set();
}

}  // namespace quillon::emu
