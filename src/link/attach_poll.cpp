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
        link.announceFlags();
        // The interface stays open until the next open replaces it: a lighting
        // thread may still be inside a transfer and sees it fail by itself.
        steps.removal(link);
        return PollOutcome::removed;
    }

    link.hid.pathCursor = 0;
    if (!link.hid.enumerate())
        return PollOutcome::enumerationFailed;
    const bool found = openNextInterface(link.hid, commandInterface(link, kind));
    link.hid.releasePathList();
    if (!found)
        return PollOutcome::searching;
    link.connected = 1;
    steps.arrival(link);
    // After the arrival steps: the lighting thread then sees the new variant.
    link.announceFlags();
    return PollOutcome::arrived;
}

void runAttachPoll(DeviceLink& link, DeviceKind kind, AttachSteps& steps, const StopSignal& stop,
                   std::string_view exitLine, AttachPollTiming timing, HotplugRelay* relay) {
    platform::HidBackend& backend = link.hid.backend();
    const std::size_t id = relay != nullptr ? relay->subscribe() : 0;
    while (!stop.requested()) {
        // News that came in before this poll is covered by the poll itself.
        if (relay != nullptr)
            relay->consume(id);
        else
            backend.drainHotplug();
        const PollOutcome outcome = pollOnce(link, kind, steps);
        const bool attached = link.connected.load() == 1;
        const auto interval = attached ? timing.probeInterval : timing.searchInterval;
        // Searching also waits for hotplug news; after a failed enumeration the
        // whole interval passes, so a broken backend is not hammered.
        StopSignal::Wake wake;
        if (attached || outcome == PollOutcome::enumerationFailed) {
            wake = stop.waitFor(interval);
        } else if (relay != nullptr) {
            const std::array<int, 2> fds = relay->waitFds(id);
            std::size_t which = 1;
            wake = stop.waitFor(interval, fds, &which);
            if (wake == StopSignal::Wake::other && which == 0)
                relay->relay(id);
        } else {
            wake = stop.waitFor(interval, backend.hotplugFd());
        }
        if (wake == StopSignal::Wake::stop)
            break;
    }
    if (!exitLine.empty())
        platform::debugOutput(exitLine);
}

}  // namespace quillon::link
