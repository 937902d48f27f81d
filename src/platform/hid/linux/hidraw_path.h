#pragma once

// Interface paths of hidraw nodes, one per top-level collection, in the form
// the link expects: "/dev/hidraw3#vid_0c45&pid_8611&mi_01&col02#". "&mi_NN"
// appears only for USB interfaces, "&colNN" (from 01) only when the node has
// more than one top-level collection.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::platform {

struct HidrawPath {
    std::string node;  // "/dev/hidrawN"
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::optional<std::uint8_t> interfaceNumber;
    std::uint8_t collection = 0;  // 1-based; 0: the node's only collection

    // Index into the node's top-level collections.
    std::size_t collectionIndex() const { return collection == 0 ? 0 : collection - 1u; }
};

std::string formatHidrawPath(const HidrawPath& path);

// Reads back a path made by formatHidrawPath (markers and digits in either
// case). nullopt for anything else, so that no other file is ever opened.
std::optional<HidrawPath> parseHidrawPath(std::string_view path);

// N of "/dev/hidrawN" or "hidrawN"; nullopt when the name is not of that form.
std::optional<unsigned> hidrawNumber(std::string_view name);

}  // namespace quillon::platform
