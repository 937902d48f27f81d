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

void LightingThreads::start(const ThreadStartDelays& delays) {
    if (started_)
        return;
    started_ = true;
    for (std::size_t i = 0; i < threads_.size(); ++i) {
        const auto thread = static_cast<LightingThread>(i);
        threads_[i] = std::thread([this, thread, i, delay = delays.of(thread)] {
            runLightingThread(engine_, channels_, stops_[i], thread, delay);
            platform::debugOutput(exitLine(thread));
        });
    }
}

void LightingThreads::stop() {
    for (link::StopSignal& s : stops_)
        s.request();
    for (std::thread& t : threads_) {
        if (t.joinable())
            t.join();
    }
}

}  // namespace quillon::lighting
