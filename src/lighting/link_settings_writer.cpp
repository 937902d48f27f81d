#include "lighting/settings_flush.h"
#include "link/protocol.h"

namespace quillon::lighting {

link::Status LinkSettingsWriter::writeSettings(link::DeviceKind kind,
                                               std::span<const std::uint8_t> bytes) {
    return link::writeSettings(kind == link::DeviceKind::mouse ? mouse_ : mousepad_, bytes);
}

bool LinkSettingsWriter::connected(link::DeviceKind kind) const {
    return (kind == link::DeviceKind::mouse ? mouse_ : mousepad_).connected.load() == 1;
}

}  // namespace quillon::lighting
