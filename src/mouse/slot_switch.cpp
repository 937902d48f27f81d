#include "mouse/slot_switch.h"

#include <array>

#include "link/protocol.h"

namespace quillon::mouse {

SlotSwitch switchSlot(link::DeviceKind kind, link::DeviceLink& link, MouseRecords& records,
                      int slot) {
    if (slot < 0 || slot > link::kHighestSlot)
        return SlotSwitch::notASlot;
    const auto target = static_cast<std::uint8_t>(slot);

    std::array<std::uint8_t, 1> active{};
    if (!link::succeeded(link::readSettings(link, 0, active)))
        return SlotSwitch::noAnswer;
    if (active[0] == target)
        return SlotSwitch::alreadyActive;
    if (active[0] > link::kHighestSlot)
        return SlotSwitch::badActiveSlot;

    records.keepInSlotTable(kind, active[0]);

    const std::array<std::uint8_t, 1> select{target};
    if (!link::succeeded(link::writeSettings(link, select)))
        return SlotSwitch::noAnswer;
    std::array<std::uint8_t, link::kSettingsSlotBytes> record{};
    if (!link::succeeded(
            link::readSettings(link, std::uint16_t(target * link::kSettingsSlotStride), record)))
        return SlotSwitch::noAnswer;
    records.takeSlotRecord(kind, target, record);
    return SlotSwitch::switched;
}

}  // namespace quillon::mouse
