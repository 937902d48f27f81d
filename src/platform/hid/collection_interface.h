#pragma once

// Describing one top-level collection of a node the way the enumeration
// reports it: the hidraw backend and the virtual bus make their lists alike.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/hid/hid_interface.h"
#include "platform/hid/report_descriptor.h"

namespace quillon::platform {

// The interface of the `index`-th of a node's top-level collections.
HidInterface describeCollection(std::string node, std::uint16_t vendorId, std::uint16_t productId,
                                std::optional<std::uint8_t> interfaceNumber,
                                std::span<const TopLevelCollection> collections, std::size_t index);

}  // namespace quillon::platform
