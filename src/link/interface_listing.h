#pragma once

// The interfaces of supported products that are present, with what a user
// recognises them by: the product, the USB interface number and the usage of
// the top-level collection. Opens nothing.

#include <vector>

#include "link/device_catalogue.h"
#include "platform/hid/hid_backend.h"

namespace quillon::link {

struct ListedInterface {
    platform::HidInterface iface;
    const Product* product = nullptr;
};

enum class [[nodiscard]] ListingResult{
    ok,
    enumerationFailed,  // the system could not be asked
};

// Every present interface of a catalogue product, in enumeration order.
// `out` is written only on success.
ListingResult listSupportedInterfaces(platform::HidBackend& backend,
                                      std::vector<ListedInterface>& out);

}  // namespace quillon::link
