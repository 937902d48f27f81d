#include "mouse/mouse_record_exchange.h"

#include <algorithm>

#include "link/protocol.h"

namespace quillon::mouse {

std::optional<std::uint8_t> reportRateIndex(int hz) {
    for (std::size_t i = 0; i < kReportRatesHz.size(); ++i)
        if (kReportRatesHz[i] == hz)
            return static_cast<std::uint8_t>(i);
    return std::nullopt;
}

link::Status readActiveMouseState(link::DeviceLink& link, link::MouseState& out) {
    std::array<std::uint8_t, 1> active{};
    if (const link::Status s = link::readSettings(link, 0, active); !link::succeeded(s))
        return s;
    if (active[0] > link::kHighestSlot)
        return link::Status::badSlot;
    std::array<std::uint8_t, link::kSettingsSlotBytes> record{};
    if (const link::Status s =
            link::readSettings(link, std::uint16_t(active[0] * link::kSettingsSlotStride), record);
        !link::succeeded(s))
        return s;
    static_cast<void>(link::fromBytes(std::span<const std::uint8_t>(record), out));
    out.slot = active[0];
    return link::Status::ok;
}

link::Status writeMouseState(link::DeviceLink& link, const link::MouseState& state) {
    std::array<std::uint8_t, link::kSettingsSlotBytes> bytes{};
    const auto record = link::toBytes(state);
    std::copy(record.begin(), record.end(), bytes.begin());
    return link::writeSettings(link, bytes);
}

}  // namespace quillon::mouse
