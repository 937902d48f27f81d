#include "emu/demo_devices.h"

namespace quillon::emu {

bool attachDemoDevices(VirtualBus& bus) {
    using link::DeviceKind;
    bool all = true;
    for (const auto& [kind, variant] :
         {std::pair{DeviceKind::keyboard, 0}, {DeviceKind::mouse, 0}, {DeviceKind::mousepad, 0}}) {
        const link::Product* product = catalogueProduct(kind, std::uint8_t(variant));
        all = all && product != nullptr && bus.plug(*product) != nullptr;
    }
    return all;
}

}  // namespace quillon::emu
