#pragma once

// A HID bus inside the process: the emulated devices that tests and --demo
// plug in and out, served through the same HidBackend interface as the
// hidraw nodes of the system.
//
// Enumeration lists the interfaces of present devices in the order they were
// plugged, each device's interfaces and collections in their own order.
//
// In a test:
//   emu::VirtualBus bus;
//   auto mouse = bus.plug(*emu::catalogueProduct(link::DeviceKind::mouse, 0));
//   link::DeviceLink link(bus);             // the attach poll finds it like any device
//   mouse->answerWithStatus(3, 0xFE);       // faults count reports from now
//   mouse->emitEvent(0x0401);               // a change made on the mouse itself
//   mouse->inspect([](const emu::FirmwareModel& fw) { return fw.activeSlot(); });
//   bus.unplug(*mouse);
//   auto broken = bus.takeViolations();     // requests that broke the protocol
//
// Violations nobody took are handed to the process's handler when the bus
// goes away (test programs fail the running test with them).

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "emu/emulated_device.h"
#include "emu/protocol_violation.h"
#include "link/device_catalogue.h"
#include "platform/abort_signal.h"
#include "platform/hid/hid_backend.h"

namespace quillon::emu {

class VirtualBus final : public platform::HidBackend {
  public:
    VirtualBus();
    ~VirtualBus() override;

    // Plugs in a new device of a catalogued product; nullptr for any other
    // product id. The device stays reachable through the pointer after unplug.
    std::shared_ptr<EmulatedDevice> plug(std::uint16_t productId);
    std::shared_ptr<EmulatedDevice> plug(const link::Product& product) {
        return plug(product.productId);
    }
    void unplug(EmulatedDevice& device);
    // Devices present now, in plug order.
    std::vector<std::shared_ptr<EmulatedDevice>> devices() const;
    // The protocol violations of every device plugged so far; forgets them.
    std::vector<ProtocolViolation> takeViolations() { return violations_->take(); }

    // HidBackend
    bool enumerate(std::vector<platform::HidInterface>& interfaces) override;
    std::unique_ptr<platform::HidConnection> open(const platform::HidInterface& iface,
                                                  platform::HidOpenFlags flags) override;
    bool probe(const platform::HidInterface& iface) override;
    int hotplugFd() override { return hotplug_->fd(); }
    void drainHotplug() override { hotplug_->consume(); }

  private:
    std::shared_ptr<EmulatedDevice> findPresent(const platform::HidInterface& iface,
                                                const EmulatedCollection** collection) const;

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<EmulatedDevice>> devices_;
    std::uint32_t nextInstance_ = 0;
    // Shared with the devices, which signal it when they leave on their own.
    std::shared_ptr<platform::AbortSignal> hotplug_;
    std::shared_ptr<ViolationLog> violations_;
};

}  // namespace quillon::emu
