#include "link/interface_scan.h"

namespace quillon::link {

namespace {

// From the enumeration alone: another vendor's interface, or (for the event
// interface) a product without one, is not opened at all. The usage is
// checked on the opened interface, whose identity is the current one.
bool candidate(const platform::HidInterface& iface, const InterfaceWanted& wanted) {
    if (iface.vendorId != wanted.vendorId)
        return false;
    if (!wanted.eventInterface)
        return true;
    const Product* p = findProduct(iface.vendorId, iface.productId);
    return p != nullptr && p->kind == wanted.kind && p->hasEventInterface;
}

bool matches(const HidDevice& hid, const InterfaceWanted& wanted) {
    const platform::HidAttributes& a = hid.attributes();
    const Product* p = findProduct(a.vendorId, a.productId);
    return a.vendorId == wanted.vendorId && p != nullptr && p->kind == wanted.kind &&
           (!wanted.eventInterface || p->hasEventInterface) &&
           hid.caps().usagePage == wanted.usagePage && hid.caps().usage == wanted.usage;
}

}  // namespace

InterfaceWanted commandInterface(const DeviceLink& link, DeviceKind kind) {
    return {kind, link.matchVendorId, link.matchUsagePage, link.matchUsage, false};
}

InterfaceWanted eventInterface(DeviceKind kind) {
    return {kind, kVendorId, kEventUsagePage, kEventUsage, true};
}

bool openNextInterface(HidDevice& hid, const InterfaceWanted& wanted) {
    while (hid.pathCursor < hid.pathList.size()) {
        const platform::HidInterface& iface = hid.pathList[hid.pathCursor++];
        if (iface.node.empty())
            continue;  // a failed entry, not the end of the list
        if (!candidate(iface, wanted))
            continue;
        hid.openForRead = true;
        hid.openForWrite = !wanted.eventInterface;
        hid.openOverlapped = true;
        hid.openExclusive = false;
        hid.devicePath = iface;
        if (!hid.open())
            continue;
        if (matches(hid, wanted))
            return true;
        hid.close();
    }
    return false;
}

bool findInterface(HidDevice& hid, const InterfaceWanted& wanted) {
    hid.pathCursor = 0;
    if (!hid.enumerate())
        return false;
    const bool found = openNextInterface(hid, wanted);
    hid.releasePathList();
    return found;
}

bool connectFirst(DeviceLink& link, DeviceKind kind) {
    const bool found = findInterface(link.hid, commandInterface(link, kind));
    if (found) {
        link.connected = 1;
        link.announceFlags();
    }
    return found;
}

}  // namespace quillon::link
