#include "link/event_threads.h"

#include <vector>

#include "link/device_catalogue.h"
#include "link/interface_scan.h"

namespace quillon::link {

std::optional<std::uint16_t> mouseEventCode(std::span<const InputDataItem> items,
                                            std::uint8_t reportId) {
    if (items.empty())
        return std::nullopt;
    const InputDataItem& first = items.front();
    if (!first.isButton || first.reportId != reportId || first.lastStatus != 1)
        return std::nullopt;
    if (first.usages.empty() || first.usages.front() == 0)
        return std::nullopt;
    return first.usages.front();
}

// --- MouseEventMonitor

MouseEventMonitor::MouseEventMonitor(platform::HidBackend& backend, MouseEventSink& sink,
                                     EventThreadTiming timing)
    : hid_(backend), sink_(sink), timing_(timing) {}

void MouseEventMonitor::run(const StopSignal& stop) {
    // The read waits on the device only; this helper turns the stop into an
    // abort of that wait. It sleeps in poll() until then.
    std::thread waker([this, &stop] {
        while (stop.waitFor(std::chrono::hours(1)) != StopSignal::Wake::stop) {
        }
        wake();
    });
    while (!stop.requested()) {
        if (findInterface(hid_, eventInterface(DeviceKind::mouse))) {
            holding_ = true;
            readLoop(stop);
            hid_.close();
            holding_ = false;
        }
        if (stop.waitFor(timing_.searchInterval) == StopSignal::Wake::stop)
            break;
    }
    waker.join();
}

void MouseEventMonitor::readLoop(const StopSignal& stop) {
    // One buffer per opened interface, never per report.
    std::vector<std::uint8_t> report(std::max<std::size_t>(hid_.caps().inputReportLength, 1));
    while (!stop.requested()) {
        const auto began = std::chrono::steady_clock::now();
        std::size_t got = 0;
        if (hid_.readReport(report, platform::kNoTimeLimit, got) ==
            platform::TransferStatus::completed) {
            if (!hid_.decodeInputReport(kEventUsagePage, std::span(report).first(got)))
                continue;
            if (const auto code = mouseEventCode(hid_.inputItems(), report[0]))
                sink_.mouseEvent(*code);
            continue;
        }
        // Wake-up or failure: stopped, or the mouse gone, ends the loop.
        if (stop.requested() || !hid_.probe())
            return;
        // A read that fails at once while the mouse is there must not spin.
        if (std::chrono::steady_clock::now() - began < timing_.probeInterval &&
            stop.waitFor(timing_.probeInterval) == StopSignal::Wake::stop)
            return;
    }
}

// --- KeyboardEventMonitor

KeyboardEventMonitor::KeyboardEventMonitor(platform::HidBackend& backend, EventThreadTiming timing)
    : hid_(backend), timing_(timing) {}

void KeyboardEventMonitor::run(const StopSignal& stop) {
    while (!stop.requested()) {
        if (holding_) {
            if (!hid_.probe()) {
                hid_.close();
                holding_ = false;
            }
        } else if (findInterface(hid_, eventInterface(DeviceKind::keyboard))) {
            holding_ = true;
        }
        const auto interval = holding_ ? timing_.probeInterval : timing_.searchInterval;
        if (stop.waitFor(interval) == StopSignal::Wake::stop)
            break;
    }
    hid_.close();
    holding_ = false;
}

}  // namespace quillon::link
