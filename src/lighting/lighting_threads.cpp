#include "lighting/lighting_threads.h"

#include <chrono>

#include "platform/debug_output.h"

namespace quillon::lighting {

namespace {

using PassFunction = bool (*)(LightingEngine&, const LightingChannels&, Pacer&);

PassFunction passOf(LightingThread thread) {
    switch (thread) {
        case LightingThread::keyboard:
            return keyboardPass;
        case LightingThread::mouse:
            return mousePass;
        case LightingThread::mousepad:
            return mousepadPass;
        case LightingThread::sync:
            break;
    }
    return syncPass;
}

}  // namespace

int ThreadStartDelays::of(LightingThread thread) const {
    switch (thread) {
        case LightingThread::keyboard:
            return keyboardMs;
        case LightingThread::mouse:
            return mouseMs;
        case LightingThread::mousepad:
            return mousepadMs;
        case LightingThread::sync:
            break;
    }
    return syncMs;
}

StopPacer::StopPacer(const link::StopSignal& stop, link::FlagWatch* watch)
    : stop_(stop), watch_(watch) {
    if (watch_ != nullptr)
        waiter_ = watch_->subscribe();
}

bool StopPacer::waitForLinkChange() {
    const int fd = watch_ != nullptr ? watch_->fd(waiter_) : -1;
    if (fd < 0)
        return sleepMs(kDisconnectedPauseMs);
    // Only a change or the stop ends this wait; a thread with nothing to drive
    // costs no wake-ups.
    const auto wake = stop_.waitFor(std::chrono::hours(24), fd);
    watch_->consume(waiter_);
    return wake != link::StopSignal::Wake::stop;
}

bool StopPacer::sleepMs(int ms) {
    return stop_.waitFor(std::chrono::milliseconds(ms < 0 ? 0 : ms)) !=
           link::StopSignal::Wake::stop;
}

std::uint32_t StopPacer::nowMs() const {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::string_view exitLine(LightingThread thread) {
    switch (thread) {
        case LightingThread::keyboard:
            return "键盘灯光线程设定退出";
        case LightingThread::mouse:
            return "鼠标灯光线程设定退出";
        case LightingThread::mousepad:
            return "鼠标垫灯光线程设定退出";
        case LightingThread::sync:
            break;
    }
    return "同步灯光线程设定退出";
}

void runLightingThread(LightingEngine& engine, const LightingChannels& channels,
                       const link::StopSignal& stop, LightingThread thread, int startDelayMs,
                       link::FlagWatch* watch) {
    StopPacer pacer(stop, watch);
    const PassFunction pass = passOf(thread);
    if (!pacer.sleepMs(startDelayMs))
        return;
    // The 1 ms stop check between passes keeps a pass that sends nothing from
    // spinning.
    while (pacer.sleepMs(1)) {
        if (!pass(engine, channels, pacer))
            break;
    }
}

void setLightingBodies(shell::WorkerSet& workers, LightingEngine& engine,
                       const LightingChannels& channels, link::FlagWatch* watch,
                       const ThreadStartDelays& delays) {
    struct Slot {
        shell::Worker worker;
        LightingThread thread;
    };
    static constexpr Slot kSlots[] = {
        {shell::Worker::keyboardLighting, LightingThread::keyboard},
        {shell::Worker::mouseLighting, LightingThread::mouse},
        {shell::Worker::mousepadLighting, LightingThread::mousepad},
        {shell::Worker::syncLighting, LightingThread::sync},
    };
    for (const Slot& slot : kSlots) {
        workers.setBody(
            slot.worker,
            [&engine, channels, watch, thread = slot.thread,
             delay = delays.of(slot.thread)](const shell::WorkerContext& worker) {
                runLightingThread(engine, channels, worker.stop, thread, delay, watch);
            },
            std::string(exitLine(slot.thread)));
    }
}

}  // namespace quillon::lighting
