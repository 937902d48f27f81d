#pragma once

// Which view the window falls back to when a device kind leaves: the tab of
// another attached kind, in the order the leaving kind prefers, or — with
// nothing left — hiding the window.

#include <cstdint>
#include <string_view>

#include "link/device_catalogue.h"

namespace quillon::attach {

struct AttachedKinds {
    bool keyboard = false;
    std::uint8_t keyboardVariant = 0;
    bool mouse = false;
    std::uint8_t mouseModel = 0;
    bool mousepad = false;
};

struct FallbackView {
    // Tab option to select; empty for none (a model 1 mouse has no tab).
    std::string_view tab;
    bool hideWindow = false;
    // Only the keyboard and the mouse close the update window when the last
    // device leaves; the mousepad leaves it open.
    bool closeUpdateWindow = false;
};

FallbackView fallbackView(link::DeviceKind leaving, const AttachedKinds& attached);

// The tab option of a catalogued kind and variant; empty when it has none.
std::string_view tabOf(link::DeviceKind kind, std::uint8_t variant);

}  // namespace quillon::attach
