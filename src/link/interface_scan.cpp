#include "link/interface_scan.h"

namespace quillon::link {

bool openNextCommandInterface(DeviceLink& link, DeviceKind kind) {
    HidDevice& hid = link.hid;
    while (hid.pathCursor < hid.pathList.size()) {
        const std::string& path = hid.pathList[hid.pathCursor++];
        if (path.empty())
            continue;  // a failed entry, not the end of the list
        if (parsePathIds(path).vendorId != link.matchVendorId)
            continue;
        hid.openForRead = true;
        hid.openForWrite = true;
        hid.openOverlapped = true;
        hid.openExclusive = false;
        hid.devicePath = path;
        if (!hid.open())
            continue;
        const platform::HidAttributes& a = hid.attributes();
        if (a.vendorId == link.matchVendorId && acceptsProduct(kind, a.vendorId, a.productId) &&
            hid.caps().usagePage == link.matchUsagePage && hid.caps().usage == link.matchUsage)
            return true;
        hid.close();
    }
    return false;
}

bool connectFirst(DeviceLink& link, DeviceKind kind) {
    link.hid.pathCursor = 0;
    if (!link.hid.enumerate())
        return false;
    const bool found = openNextCommandInterface(link, kind);
    link.hid.releasePathList();
    if (found) {
        link.connected = 1;
        link.announceFlags();
    }
    return found;
}

}  // namespace quillon::link
