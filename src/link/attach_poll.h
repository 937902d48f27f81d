#pragma once

// The attach poll every attach thread runs on its link: while its device is
// absent it lists the HID interfaces once a second and opens the first
// accepted command interface; while present it probes the device every
// 100 ms. The kind's own arrival, removal and still-present steps run inside
// the poll with the link's lock held, so everything they send goes out before
// any other thread can use the device.

#include <chrono>
#include <cstdint>
#include <string_view>

#include "link/device_link.h"
#include "link/hotplug_relay.h"
#include "link/stop_signal.h"

namespace quillon::link {

// The steps of one device kind. All three run on the attach thread with
// link.lock held.
class AttachSteps {
  public:
    virtual ~AttachSteps() = default;
    // link.hid is open on the matched command interface and `connected` is 1.
    virtual void arrival(DeviceLink& link) = 0;
    // The probe failed; `connected` and `syncLighting` are already 0.
    virtual void removal(DeviceLink& link) = 0;
    // The probe succeeded.
    virtual void stillPresent(DeviceLink& link) = 0;

  protected:
    AttachSteps() = default;
    AttachSteps(const AttachSteps&) = default;
    AttachSteps& operator=(const AttachSteps&) = default;
};

struct AttachPollTiming {
    std::chrono::milliseconds probeInterval{100};
    std::chrono::milliseconds searchInterval{1000};
};

enum class [[nodiscard]] PollOutcome : std::uint8_t{
    arrived,            // a device was found; arrival ran
    stillPresent,       // the probe succeeded
    removed,            // the probe failed; removal ran
    searching,          // no accepted interface among the enumerated ones
    enumerationFailed,  // the system could not be asked; only this poll is lost
};

// One iteration of the poll, with the lock held throughout.
PollOutcome pollOnce(DeviceLink& link, DeviceKind kind, AttachSteps& steps);

// Runs the poll until `stop` is requested, then writes `exitLine` (when not
// empty) to the debug output. Waits between polls are on the stop signal, and
// while searching also on the backend's hotplug news, so an arrival is noticed
// at once and a stop ends the loop without delay. Several polls on one backend
// share its news through `relay` (nullptr: this poll is the only one).
void runAttachPoll(DeviceLink& link, DeviceKind kind, AttachSteps& steps, const StopSignal& stop,
                   std::string_view exitLine, AttachPollTiming timing = {},
                   HotplugRelay* relay = nullptr);

}  // namespace quillon::link
