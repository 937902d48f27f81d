#include "platform/hid/linux/node_connection.h"

#include <algorithm>

#include "platform/hid/linux/file_descriptor.h"
#include "platform/hid/linux/hidraw_connection.h"

namespace quillon::platform {

bool isSameDevice(const HidInterface& iface, const HidrawIdentity& identity) {
    return identity.attributes.vendorId == iface.vendorId &&
           identity.attributes.productId == iface.productId &&
           identity.interfaceNumber == iface.interfaceNumber;
}

std::unique_ptr<HidConnection> connectCollection(int fd, const HidInterface& iface,
                                                 const HidrawIdentity& identity,
                                                 std::span<const std::uint8_t> descriptor) {
    FileDescriptor owned(fd);
    if (!owned.valid() || !isSameDevice(iface, identity))
        return nullptr;
    auto parsed = parseReportDescriptor(descriptor);
    if (!parsed || iface.collectionIndex >= parsed->collections.size())
        return nullptr;
    // Ids are a property of the whole node: hidraw puts the id byte in front
    // of every report as soon as any collection declares ids.
    const bool ids = std::any_of(parsed->collections.begin(), parsed->collections.end(),
                                 [](const TopLevelCollection& c) { return !c.reportIds.empty(); });
    return std::make_unique<HidrawConnection>(owned.release(), identity.attributes,
                                              std::move(parsed->collections[iface.collectionIndex]),
                                              ids);
}

}  // namespace quillon::platform
