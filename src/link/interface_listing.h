#pragma once

// The interfaces of supported products that are present, with what a user
// recognises them by: the product, the USB interface number and the usage of
// the top-level collection. Opens nothing for reading or writing.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/device_catalogue.h"
#include "link/hid_device.h"
#include "platform/hid/hid_backend.h"

namespace quillon::link {

struct ListedInterface {
    std::string path;  // as the backend names it
    PathIds ids;
    const Product* product = nullptr;
    // The collection's usage page and usage; nullopt when it could not be asked.
    std::optional<std::uint16_t> usagePage;
    std::optional<std::uint16_t> usage;
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
