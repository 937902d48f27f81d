#include "shell/worker_set.h"

#include <pthread.h>

#include <array>

#include "platform/debug_output.h"

namespace quillon::shell {

WorkerSet::WorkerSet() = default;

WorkerSet::~WorkerSet() {
    if (started_) {
        (void)stop(std::chrono::milliseconds(1000), 1);
    }
    // A body that ignores its stop signal keeps us here; the bodies reference
    // the links and records their owner is about to destroy, so leaving them
    // running would be worse.
    for (Slot& slot : slots_) {
        if (slot.thread.joinable()) {
            slot.thread.join();
        }
    }
}

void WorkerSet::setBody(Worker worker, WorkerBody body, std::string exitLine) {
    Slot& slot = slots_[static_cast<std::size_t>(worker)];
    slot.body = std::move(body);
    slot.exitLine = std::move(exitLine);
}

const link::StopSignal& WorkerSet::stopSignal(Worker worker) const {
    return *slots_[static_cast<std::size_t>(worker)].stop;
}

bool WorkerSet::running(Worker worker) const {
    std::lock_guard lock(mutex_);
    return slots_[static_cast<std::size_t>(worker)].running;
}

namespace {

// Thread names as `top` and /proc show them (at most 15 characters).
constexpr std::array<const char*, WORKER_COUNT> kThreadNames{
    "kb-attach",   "ms-attach",   "mp-attach",     "ms-events",   "kb-events",   "kb-lighting",
    "ms-lighting", "mp-lighting", "sync-lighting", "kb-led-link", "kb-key-link", "ms-led-link",
    "ms-key-link", "mp-led-link", "version-check", "device-jobs"};

}  // namespace

void WorkerSet::runSlot(std::size_t index) {
    pthread_setname_np(pthread_self(), kThreadNames[index]);
    Slot& slot = slots_[index];
    slot.body(WorkerContext{static_cast<Worker>(index), *slot.stop});
    if (!slot.exitLine.empty()) {
        platform::debugOutput(slot.exitLine);
    }
    {
        std::lock_guard lock(mutex_);
        slot.running = false;
    }
    ended_.notify_all();
}

void WorkerSet::start(const std::function<void()>& betweenGroups) {
    if (started_) {
        return;
    }
    started_ = true;
    for (std::size_t i = 0; i < WORKER_COUNT; ++i) {
        if (i == LAST_WORKER_BEFORE_FLUSH + 1 && betweenGroups) {
            betweenGroups();
        }
        Slot& slot = slots_[i];
        if (!slot.body) {
            continue;
        }
        {
            std::lock_guard lock(mutex_);
            slot.running = true;
        }
        slot.thread = std::thread([this, i] { runSlot(i); });
    }
}

StopReport WorkerSet::stop(std::chrono::milliseconds perWait, std::size_t waits) {
    for (Slot& slot : slots_) {
        slot.stop->request();
    }
    StopReport report;
    auto countRunning = [this] {
        std::size_t n = 0;
        for (const Slot& slot : slots_) {
            n += slot.running ? 1 : 0;
        }
        return n;
    };
    {
        std::unique_lock lock(mutex_);
        for (std::size_t w = 0; w < waits; ++w) {
            const bool allEnded =
                ended_.wait_for(lock, perWait, [&] { return countRunning() == 0; });
            ++report.waits;
            platform::debugOutput(allEnded ? kAllEndedLine : kTimedOutLine);
            if (allEnded) {
                break;
            }
        }
        report.stillRunning = countRunning();
    }
    for (Slot& slot : slots_) {
        bool ended = false;
        {
            std::lock_guard lock(mutex_);
            ended = !slot.running;
        }
        if (ended && slot.thread.joinable()) {
            slot.thread.join();
        }
    }
    return report;
}

}  // namespace quillon::shell
