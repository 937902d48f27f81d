#pragma once

// The controls attach itself shows, hides and selects: the device tabs and
// their panels.

#include <array>
#include <cstdint>
#include <string_view>

#include "link/device_catalogue.h"

namespace quillon::attach {

struct AttachControls {
    std::string_view keyboardPanel = "kb_tab_panel";
    std::string_view mousePanel = "ms_tab_panel";
    std::string_view rgbKeyboardTab = "kb_tab";
    std::string_view oneColourKeyboardTab = "kb_onecolor_tab";
    std::string_view membraneKeyboardTab = "kb_film_tab";
    std::string_view mouseTab = "ms_tab";
    std::string_view mouse2Tab = "ms2_tab";
    std::string_view mousepadTab = "mp_tab";

    constexpr std::array<std::string_view, 8> all() const {
        return {keyboardPanel,       mousePanel, rgbKeyboardTab, oneColourKeyboardTab,
                membraneKeyboardTab, mouseTab,   mouse2Tab,      mousepadTab};
    }
};
inline constexpr AttachControls kAttachControls{};

// The tab of a catalogued kind and variant (keyboard variant, mouse model);
// empty for the second-edition mouse, which has none.
constexpr std::string_view deviceTab(link::DeviceKind kind, std::uint8_t variant) {
    constexpr std::array<std::string_view, 3> keyboards{kAttachControls.rgbKeyboardTab,
                                                        kAttachControls.oneColourKeyboardTab,
                                                        kAttachControls.membraneKeyboardTab};
    constexpr std::array<std::string_view, 3> mice{kAttachControls.mouseTab, "",
                                                   kAttachControls.mouse2Tab};
    switch (kind) {
        case link::DeviceKind::keyboard:
            return variant < keyboards.size() ? keyboards[variant] : "";
        case link::DeviceKind::mouse:
            return variant < mice.size() ? mice[variant] : "";
        case link::DeviceKind::mousepad:
            return variant == 0 ? kAttachControls.mousepadTab : "";
    }
    return "";
}

}  // namespace quillon::attach
