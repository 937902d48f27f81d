#include "emu/virtual_bus.h"

#include <algorithm>

#include "emu/virtual_connection.h"

namespace quillon::emu {

VirtualBus::VirtualBus()
    : hotplug_(std::make_shared<platform::AbortSignal>()),
      violations_(std::make_shared<ViolationLog>()) {}

VirtualBus::~VirtualBus() {
    const std::size_t count = violations_->count();
    const std::vector<ProtocolViolation> left = violations_->take();
    handOverUnclaimed(left, count - left.size());
}

std::shared_ptr<EmulatedDevice> VirtualBus::plug(std::uint16_t productId) {
    const ProductDescription* description = findDescription(productId);
    if (description == nullptr)
        return nullptr;
    std::shared_ptr<EmulatedDevice> device;
    {
        std::lock_guard lock(mutex_);
        device = EmulatedDevice::create(*description, nextInstance_++, hotplug_, violations_);
        if (!device)
            return nullptr;
        devices_.push_back(device);
    }
    hotplug_->set();
    return device;
}

void VirtualBus::unplug(EmulatedDevice& device) {
    device.unplug();  // signals the hotplug fd
    std::lock_guard lock(mutex_);
    std::erase_if(devices_, [&](const auto& d) { return d.get() == &device; });
}

std::vector<std::shared_ptr<EmulatedDevice>> VirtualBus::devices() const {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<EmulatedDevice>> present;
    for (const auto& d : devices_)
        if (d->present())
            present.push_back(d);
    return present;
}

bool VirtualBus::enumerate(std::vector<platform::HidInterface>& interfaces) {
    interfaces.clear();
    std::lock_guard lock(mutex_);
    // Devices that left through a fault injection are forgotten here.
    std::erase_if(devices_, [](const auto& d) { return !d->present(); });
    for (const auto& d : devices_)
        for (const EmulatedCollection& c : d->collections())
            interfaces.push_back(c.hidInterface);
    return true;
}

std::shared_ptr<EmulatedDevice> VirtualBus::findPresent(
    const platform::HidInterface& iface, const EmulatedCollection** collection) const {
    std::lock_guard lock(mutex_);
    for (const auto& d : devices_) {
        if (!d->present())
            continue;
        if (const EmulatedCollection* c = d->findCollection(iface)) {
            *collection = c;
            return d;
        }
    }
    return nullptr;
}

std::unique_ptr<platform::HidConnection> VirtualBus::open(const platform::HidInterface& iface,
                                                          platform::HidOpenFlags flags) {
    const EmulatedCollection* collection = nullptr;
    auto device = findPresent(iface, &collection);
    if (!device)
        return nullptr;
    return std::make_unique<VirtualConnection>(std::move(device), *collection, flags);
}

bool VirtualBus::probe(const platform::HidInterface& iface) {
    const EmulatedCollection* collection = nullptr;
    return findPresent(iface, &collection) != nullptr;
}

}  // namespace quillon::emu
