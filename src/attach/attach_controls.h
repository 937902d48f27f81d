#pragma once

// The controls attach itself shows, hides and selects: the device tabs and
// their panels. (The tab of each product comes from the catalogue.)

#include <array>
#include <string_view>

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

}  // namespace quillon::attach
