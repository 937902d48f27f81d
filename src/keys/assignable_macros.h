#pragma once

// What key assignment needs of a device kind's macros: their names in list
// order (a macro is assigned by its position) and the table image that goes
// to the device before the key map. The macro feature provides it; until it
// does, a kind has no macros.

#include <optional>
#include <string>
#include <vector>

#include "link/device_catalogue.h"

namespace quillon::keys {

class MacroCatalogue {
  public:
    virtual ~MacroCatalogue() = default;

    virtual std::vector<std::string> macroNames(link::DeviceKind kind) const = 0;
    // The macro table image of the kind's store; nullopt when it cannot be
    // built (no memory for it). Asked only when the kind has macros.
    virtual std::optional<std::vector<std::uint8_t>> macroImage(link::DeviceKind kind) const = 0;
};

class NoMacros final : public MacroCatalogue {
  public:
    std::vector<std::string> macroNames(link::DeviceKind) const override { return {}; }
    std::optional<std::vector<std::uint8_t>> macroImage(link::DeviceKind) const override {
        return std::vector<std::uint8_t>{};
    }
};

}  // namespace quillon::keys
