#include "lighting/settings_flush.h"
#include "link/protocol.h"

namespace quillon::lighting {

link::Status LinkSettingsWriter::writeSettings(link::DeviceKind kind,
                                               std::span<const std::uint8_t> bytes) {
    link::DeviceLink& target = kind == link::DeviceKind::mouse ? mouse_ : mousepad_;
    const link::Status status = link::writeSettings(target, bytes);
    // The write ended synchronised lighting for the device: its own thread takes over.
    target.announceFlags();
    return status;
}

bool LinkSettingsWriter::connected(link::DeviceKind kind) const {
    return (kind == link::DeviceKind::mouse ? mouse_ : mousepad_).connected.load() == 1;
}

}  // namespace quillon::lighting
