#include "shell/worker_set.h"

#include <pthread.h>

#include <array>

#include "platform/debug_output.h"

namespace quillon::shell {

WorkerSet::WorkerSet() = default;

WorkerSet::~WorkerSet() {
    for (const std::thread& thread : threads_) {
        if (thread.joinable()) {
            (void)stop(std::chrono::milliseconds(1000), 1);
            break;
        }
    }
}

void WorkerSet::setBody(Worker worker, WorkerBody body, std::string exitLine) {
    Slot& slot = shared_->slots[static_cast<std::size_t>(worker)];
    slot.body = std::move(body);
    slot.exitLine = std::move(exitLine);
}

const link::StopSignal& WorkerSet::stopSignal(Worker worker) const {
    return shared_->slots[static_cast<std::size_t>(worker)].stop;
}

bool WorkerSet::running(Worker worker) const {
    std::lock_guard lock(shared_->mutex);
    return shared_->slots[static_cast<std::size_t>(worker)].running;
}

std::size_t WorkerSet::Shared::runningCount() const {
    std::size_t n = 0;
    for (const Slot& slot : slots)
        n += slot.running ? 1 : 0;
    return n;
}

namespace {

// Thread names as `top` and /proc show them (at most 15 characters).
constexpr std::array<const char*, WORKER_COUNT> kThreadNames{
    "kb-attach",   "ms-attach",   "mp-attach",     "ms-events",   "kb-events",   "kb-lighting",
    "ms-lighting", "mp-lighting", "sync-lighting", "kb-led-link", "kb-key-link", "ms-led-link",
    "ms-key-link", "mp-led-link", "version-check", "device-jobs"};

}  // namespace

void WorkerSet::runSlot(const std::shared_ptr<Shared>& shared, std::size_t index) {
    pthread_setname_np(pthread_self(), kThreadNames[index]);
    Slot& slot = shared->slots[index];
    slot.body(WorkerContext{static_cast<Worker>(index), slot.stop});
    if (!slot.exitLine.empty())
        platform::debugOutput(slot.exitLine);
    {
        std::lock_guard lock(shared->mutex);
        slot.running = false;
        // Notified under the lock: the set may be gone once it is released.
        shared->ended.notify_all();
    }
}

void WorkerSet::start(const std::function<void()>& betweenGroups) {
    if (started_)
        return;
    started_ = true;
    for (std::size_t i = 0; i < WORKER_COUNT; ++i) {
        if (i == LAST_WORKER_BEFORE_FLUSH + 1 && betweenGroups)
            betweenGroups();
        Slot& slot = shared_->slots[i];
        if (!slot.body)
            continue;
        {
            std::lock_guard lock(shared_->mutex);
            slot.running = true;
        }
        // The thread holds the shared state itself, so it outlives the set if
        // it must.
        threads_[i] = std::thread([shared = shared_, i] { runSlot(shared, i); });
    }
}

StopReport WorkerSet::stop(std::chrono::milliseconds perWait, std::size_t waits) {
    StopReport report;
    for (Slot& slot : shared_->slots)
        slot.stop.request();
    std::array<bool, WORKER_COUNT> ended{};
    {
        std::unique_lock lock(shared_->mutex);
        for (std::size_t w = 0; w < waits; ++w) {
            const bool allEnded = shared_->ended.wait_for(
                lock, perWait, [&] { return shared_->runningCount() == 0; });
            ++report.waits;
            platform::debugOutput(allEnded ? kAllEndedLine : kTimedOutLine);
            if (allEnded)
                break;
        }
        report.stillRunning = shared_->runningCount();
        for (std::size_t i = 0; i < WORKER_COUNT; ++i)
            ended[i] = !shared_->slots[i].running;
    }
    for (std::size_t i = 0; i < WORKER_COUNT; ++i) {
        std::thread& thread = threads_[i];
        if (!thread.joinable())
            continue;
        if (ended[i]) {
            thread.join();
        } else {
            // Joining could take forever; the thread keeps its own state alive.
            thread.detach();
            ++abandoned_;
        }
    }
    return report;
}

}  // namespace quillon::shell
