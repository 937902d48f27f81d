#pragma once

// One emulated device on the virtual bus: its firmware, its interfaces with
// their parsed capabilities, the connections opened on them, and the test
// controls of fault injection and inspection.
//
// Threads: every member may be called from any thread. Reads and writes of
// connections, test controls and inspection serialise on the device's lock;
// waits happen outside it.

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "emu/fault_plan.h"
#include "emu/firmware_model.h"
#include "emu/interface_layout.h"
#include "emu/product_description.h"
#include "emu/protocol_checker.h"
#include "emu/protocol_violation.h"
#include "link/command_report.h"
#include "platform/abort_signal.h"
#include "platform/hid/hid_backend.h"
#include "platform/hid/report_descriptor.h"

namespace quillon::emu {

class VirtualConnection;

struct EmulatedCollection {
    CollectionRole role;
    platform::HidInterface hidInterface;  // as the bus enumerates it
    platform::TopLevelCollection caps;
    // The report descriptor of the collection's whole interface, as a
    // device returns it (hidraw also gives one descriptor per interface).
    std::vector<std::uint8_t> interfaceDescriptor;
};

class EmulatedDevice : public std::enable_shared_from_this<EmulatedDevice> {
  public:
    static constexpr std::size_t kRequestLogCapacity = 4096;

    // nullptr when a report descriptor does not parse into the expected collections.
    // Requests that break the protocol go to `violations`.
    static std::shared_ptr<EmulatedDevice> create(const ProductDescription& description,
                                                  std::uint32_t instance,
                                                  std::shared_ptr<platform::AbortSignal> hotplug,
                                                  std::shared_ptr<ViolationLog> violations);
    ~EmulatedDevice();
    EmulatedDevice(const EmulatedDevice&) = delete;
    EmulatedDevice& operator=(const EmulatedDevice&) = delete;

    const ProductDescription& description() const { return description_; }
    const link::Product& product() const { return description_.product; }
    const platform::HidAttributes& attributes() const { return attributes_; }
    const std::vector<EmulatedCollection>& collections() const { return collections_; }
    const EmulatedCollection* findCollection(const platform::HidInterface& iface) const;
    const EmulatedCollection& commandCollection() const;

    // --- plugging ---
    bool present() const;
    // The device leaves: reports it sent can still be read, then reads fail;
    // writes and probes fail at once.
    void unplug();

    // --- consumer-control events ---
    // Queues the input report carrying `code` on every connection open on the
    // event collection; returns how many got it (0 without an event interface).
    std::size_t emitEvent(std::uint16_t code);

    // --- fault injection (counted in reports written to the command collection) ---
    void dropAnswers(std::uint32_t count);
    void dropAnswersUntilCleared();
    void answerWithStatus(std::uint32_t nthReport, std::uint8_t status);
    void unplugAfter(std::uint32_t nthReport);
    void clearFaults();
    // Time between a request and its answer becoming readable (default 0).
    void setLatency(std::chrono::microseconds latency);
    // Every write blocks this long before the device takes it (0: off).
    void setWriteStall(std::chrono::milliseconds stall);

    // --- inspection ---
    std::uint64_t requestCount() const;
    // The requests received, oldest first (at most kRequestLogCapacity).
    std::vector<link::CommandReport> requests() const;
    void clearRequestLog();
    // Runs `f(const FirmwareModel&)` under the device's lock.
    template <typename F>
    auto inspect(F&& f) const {
        std::lock_guard lock(mutex_);
        return f(static_cast<const FirmwareModel&>(firmware_));
    }
    // Runs `f(FirmwareModel&)` under the device's lock, to set up a test's device state.
    template <typename F>
    auto modify(F&& f) {
        std::lock_guard lock(mutex_);
        return f(firmware_);
    }
    std::vector<std::uint8_t> lastFrame() const;
    std::uint64_t frameCount() const;
    std::uint8_t activeSlot() const;

    // --- for VirtualConnection ---
    std::mutex& mutex() const { return mutex_; }
    int goneFd() const { return gone_.fd(); }
    std::chrono::milliseconds writeStall() const;
    // Hands one output report of the command collection to the firmware and
    // queues the answer on `connection`. Called with mutex() held.
    void takeCommand(VirtualConnection& connection, std::span<const std::uint8_t> report);
    void registerConnection(VirtualConnection* connection);
    void unregisterConnection(VirtualConnection* connection);

  private:
    EmulatedDevice(const ProductDescription& description,
                   std::shared_ptr<platform::AbortSignal> hotplug,
                   std::shared_ptr<ViolationLog> violations);
    void unplugLocked();

    const ProductDescription& description_;
    platform::HidAttributes attributes_;
    std::vector<EmulatedCollection> collections_;
    std::shared_ptr<platform::AbortSignal> hotplug_;
    std::shared_ptr<ViolationLog> violations_;
    platform::AbortSignal gone_;  // set once on unplug, never consumed
    std::atomic<bool> present_{true};

    mutable std::mutex mutex_;
    FirmwareModel firmware_;
    ProtocolChecker checker_;
    FaultPlan faults_;
    std::chrono::microseconds latency_{0};
    std::chrono::milliseconds writeStall_{0};
    std::vector<VirtualConnection*> connections_;
    std::vector<link::CommandReport> requestLog_;  // ring of kRequestLogCapacity
    std::uint64_t requestCount_ = 0;
    link::CommandReport answer_;  // scratch, so an exchange allocates nothing
};

}  // namespace quillon::emu
