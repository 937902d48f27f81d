#include "link/attach_poll.h"

#include <mutex>

#include "link/interface_scan.h"
#include "platform/debug_output.h"

namespace quillon::link {

PollOutcome pollOnce(DeviceLink& link, DeviceKind kind, AttachSteps& steps) {
    std::lock_guard guard(link.lock);
    if (link.connected.load() == 1) {
        if (link.hid.probe()) {
            steps.stillPresent(link);
            return PollOutcome::stillPresent;
        }
        link.connected = 0;
        link.syncLighting = 0;
        // The interface stays open until the next open replaces it: a lighting
        // thread may still be inside a transfer and sees it fail by itself.
        steps.removal(link);
        return PollOutcome::removed;
    }

    link.hid.pathCursor = 0;
    if (!link.hid.enumerate()) return PollOutcome::enumerationFailed;
    const bool found = openNextCommandInterface(link, kind);
    link.hid.releasePathList();
    if (!found) return PollOutcome::searching;
    link.connected = 1;
    steps.arrival(link);
    return PollOutcome::arrived;
}

void runAttachPoll(DeviceLink& link, DeviceKind kind, AttachSteps& steps, const StopSignal& stop,
                   std::string_view exitLine, AttachPollTiming timing) {
    platform::HidBackend& backend = link.hid.backend();
    while (!stop.requested()) {
        // Hotplug news that came in during this poll is covered by the poll itself.
        backend.drainHotplug();
        const PollOutcome outcome = pollOnce(link, kind, steps);
        const bool attached = link.connected.load() == 1;
        // Searching waits also for the system's hotplug news; a failed
        // enumeration waits the whole interval so a broken backend is not hammered.
        const int wakeFd =
            (!attached && outcome != PollOutcome::enumerationFailed) ? backend.hotplugFd() : -1;
        const auto interval = attached ? timing.probeInterval : timing.searchInterval;
        if (stop.waitFor(interval, wakeFd) == StopSignal::Wake::stop) break;
    }
    if (!exitLine.empty()) platform::debugOutput(exitLine);
}

AttachThread::AttachThread(DeviceLink& link, DeviceKind kind, AttachSteps& steps,
                           const StopSignal& stop, std::string_view exitLine,
                           AttachPollTiming timing)
    : thread_([&link, kind, &steps, &stop, exitLine, timing] {
          runAttachPoll(link, kind, steps, stop, exitLine, timing);
      }) {}

AttachThread::~AttachThread() { join(); }

void AttachThread::join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace quillon::link
