#pragma once

// One open collection of an emulated device, like one hidraw file descriptor:
// its own queue of input reports, an eventfd that wakes its readers, and the
// transfers of platform::HidConnection over them.
//
// A read poll()s the wake eventfd, the abort signal and the device's unplug
// signal together: abort → aborted (consumed), time limit → timedOut, unplug →
// failed at once once the reports that arrived before it have been read (as
// with hidraw). An answer held back by the emulated latency has not arrived
// yet: a discard leaves it, and it becomes readable even after its requester
// gave up.

#include <memory>
#include <span>

#include "emu/emulated_device.h"
#include "emu/input_queue.h"
#include "platform/abort_signal.h"
#include "platform/hid/hid_backend.h"

namespace quillon::emu {

class VirtualConnection final : public platform::HidConnection {
  public:
    VirtualConnection(std::shared_ptr<EmulatedDevice> device, const EmulatedCollection& collection,
                      platform::HidOpenFlags flags);
    ~VirtualConnection() override;

    const platform::HidAttributes& attributes() const override { return device_->attributes(); }
    const platform::TopLevelCollection& collection() const override { return collection_.caps; }
    platform::TransferStatus writeReport(std::span<const std::uint8_t> report, int timeoutMs,
                                         platform::AbortSignal& abort,
                                         std::size_t& written) override;
    platform::TransferStatus readReport(std::span<std::uint8_t> buffer, int timeoutMs,
                                        platform::AbortSignal& abort, std::size_t& got) override;
    void discardPendingInput() override;

    CollectionRole role() const { return collection_.role; }
    // Queues one input report readable from `due` on. Called with the device's lock held.
    void queueInput(std::span<const std::uint8_t> report, Clock::time_point due);
    // The device left: answers it had not sent yet never come. Called with the device's lock held.
    void dropUnsent(Clock::time_point now) { queue_.dropUndue(now); }

  private:
    std::shared_ptr<EmulatedDevice> device_;
    const EmulatedCollection& collection_;
    platform::HidOpenFlags flags_;
    InputQueue queue_;            // guarded by the device's lock
    platform::AbortSignal wake_;  // set when a report is queued
};

}  // namespace quillon::emu
