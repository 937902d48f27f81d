#include "lighting/settings_flush.h"
#include "link/protocol.h"

namespace quillon::lighting {

link::Status LinkSettingsWriter::writeSettings(link::DeviceKind kind,
                                               std::span<const std::uint8_t> bytes) {
    return link::writeSettings(kind == link::DeviceKind::mouse ? mouse_ : mousepad_, bytes);
}

}  // namespace quillon::lighting
