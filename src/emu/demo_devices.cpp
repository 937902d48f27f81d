#include "emu/demo_devices.h"

namespace quillon::emu {

void attachDemoDevices(VirtualBus& bus) {
    using link::DeviceKind;
    for (const auto& [kind, variant] :
         {std::pair{DeviceKind::keyboard, 0}, {DeviceKind::mouse, 0}, {DeviceKind::mousepad, 0}}) {
        // Catalogued products always plug (their descriptors are tested);
        // the devices stay on the bus, which owns them.
        if (const link::Product* product = catalogueProduct(kind, std::uint8_t(variant)))
            (void)bus.plug(*product);
    }
}

}  // namespace quillon::emu
