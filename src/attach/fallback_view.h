#pragma once

// Which view the window falls back to when a device kind leaves: the tab of
// another attached kind, in the order the leaving kind prefers, or — with
// nothing left — hiding the window.

#include <cstdint>
#include <string_view>

#include "link/device_catalogue.h"
#include "link/device_models.h"

namespace quillon::attach {

struct AttachedKinds {
    bool keyboard = false;
    link::KeyboardVariant keyboardVariant = link::KeyboardVariant::rgb;
    bool mouse = false;
    link::MouseModel mouseModel = link::MouseModel::first;
    bool mousepad = false;
};

struct FallbackView {
    // Tab option to select; empty for none (a second-edition mouse has no tab).
    std::string_view tab;
    bool hideWindow = false;
};

FallbackView fallbackView(link::DeviceKind leaving, const AttachedKinds& attached);

}  // namespace quillon::attach
