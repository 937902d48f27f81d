#include "platform/hid/linux/report_writer.h"

#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <system_error>
#include <vector>

#include "platform/hid/linux/deadline.h"

namespace quillon::platform {

// Shared by the connection and its writer thread; outlives the connection
// while a write is stuck in the kernel.
struct ReportWriter::State {
    explicit State(std::shared_ptr<const FileDescriptor> device)
        : fd(std::move(device)), done(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

    std::shared_ptr<const FileDescriptor> fd;
    FileDescriptor done;  // signalled by the thread after every write

    std::mutex mutex;
    std::condition_variable wake;
    // Guarded by mutex. The thread owns `report` while `busy`.
    std::vector<std::uint8_t> report;
    bool busy = false;       // a write is queued or in the kernel
    bool requested = false;  // queued, not yet taken by the thread
    bool stop = false;
    std::uint64_t submitted = 0;
    std::uint64_t completed = 0;
    ssize_t result = 0;
};

namespace {

enum class Wait { done, timedOut, aborted, failed };

// Waits for the writer's completion signal, the abort signal or the deadline.
// The abort signal is looked at first, as a set abort wins over a completion.
Wait waitForWriter(int doneFd, AbortSignal& abort, const Deadline& deadline) {
    for (;;) {
        pollfd fds[2] = {{abort.fd(), POLLIN, 0}, {doneFd, POLLIN, 0}};
        const int r = ::poll(fds, 2, deadline.pollTimeoutMs());
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return Wait::failed;
        }
        if (r == 0)
            return Wait::timedOut;
        if ((fds[0].revents & POLLIN) && abort.consume())
            return Wait::aborted;
        if (fds[1].revents & POLLIN) {
            std::uint64_t count = 0;
            // A non-blocking read; EAGAIN only if another wait took the count.
            [[maybe_unused]] ssize_t n = ::read(doneFd, &count, sizeof count);
            return Wait::done;
        }
    }
}

TransferStatus statusOf(Wait wait) {
    switch (wait) {
        case Wait::timedOut:
            return TransferStatus::timedOut;
        case Wait::aborted:
            return TransferStatus::aborted;
        default:
            return TransferStatus::failed;
    }
}

}  // namespace

ReportWriter::ReportWriter(std::shared_ptr<const FileDescriptor> fd)
    : state_(std::make_shared<State>(std::move(fd))) {}

ReportWriter::~ReportWriter() {
    bool stuck;
    {
        std::lock_guard lock(state_->mutex);
        state_->stop = true;
        stuck = state_->busy;
    }
    state_->wake.notify_one();
    if (!thread_.joinable())
        return;
    if (stuck) {
        // The thread may sit in write() for seconds (a stalled device). It holds
        // its own reference to the state and so to the fd, which stays open
        // until that write returns; the thread then ends by itself.
        thread_.detach();
    } else {
        thread_.join();  // idle on its condition variable: ends at once
    }
}

void ReportWriter::run(std::shared_ptr<State> state) {
    // A peer that went away makes write() raise SIGPIPE on sockets; blocked
    // here, the write fails with EPIPE instead of ending the process.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);

    std::unique_lock lock(state->mutex);
    for (;;) {
        state->wake.wait(lock, [&] { return state->stop || state->requested; });
        if (state->stop) {
            state->busy = false;
            return;
        }
        state->requested = false;
        lock.unlock();
        ssize_t n;
        do {
            n = ::write(state->fd->get(), state->report.data(), state->report.size());
        } while (n < 0 && errno == EINTR);
        lock.lock();
        state->result = n;
        state->completed = state->submitted;
        state->busy = false;
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t w = ::write(state->done.get(), &one, sizeof one);
    }
}

bool ReportWriter::startThread() {
    if (thread_.joinable())
        return true;
    if (!state_->done.valid())
        return false;
    try {
        thread_ = std::thread(&ReportWriter::run, state_);
    } catch (const std::system_error&) {
        return false;  // no thread, no write; the caller sees a failed transfer
    }
    return true;
}

TransferStatus ReportWriter::write(std::span<const std::uint8_t> report, int timeoutMs,
                                   AbortSignal& abort, std::size_t& written) {
    written = 0;
    const Deadline deadline(timeoutMs);
    // An abort set before the call ends it at once, before anything is sent.
    if (abort.consume())
        return TransferStatus::aborted;
    if (report.empty() || !startThread())
        return TransferStatus::failed;

    State& s = *state_;
    std::uint64_t ticket = 0;
    // A write abandoned earlier may still be in the kernel: wait for the writer.
    for (;;) {
        {
            std::lock_guard lock(s.mutex);
            if (!s.busy) {
                s.report.assign(report.begin(), report.end());
                s.busy = true;
                s.requested = true;
                ticket = ++s.submitted;
                break;
            }
        }
        const Wait w = waitForWriter(s.done.get(), abort, deadline);
        if (w != Wait::done)
            return statusOf(w);
    }
    s.wake.notify_one();

    for (;;) {
        const Wait w = waitForWriter(s.done.get(), abort, deadline);
        if (w != Wait::done)
            return statusOf(w);
        std::lock_guard lock(s.mutex);
        if (s.completed < ticket)
            continue;  // a signal left by an earlier write
        if (s.result < 0)
            return TransferStatus::failed;
        written = std::size_t(s.result);
        return written == report.size() ? TransferStatus::completed : TransferStatus::failed;
    }
}

}  // namespace quillon::platform
