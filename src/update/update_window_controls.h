#pragma once

// The update window's controls by name, its product lines, and the device
// messages that show and hide them.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "update/update_products.h"

namespace quillon::update {

struct ProductLineControls {
    UpdateProduct product;
    std::string_view page;  // empty: always shown
    std::string_view installedLabel;
    std::string_view newestLabel;
    std::string_view button;
    std::string_view progressText;  // empty: the line shows no progress
};

inline constexpr std::array<ProductLineControls, 6> kProductLines{{
    {UpdateProduct::software, "", "soft_now_version", "soft_new_version", "soft_update_btn", ""},
    {UpdateProduct::rgbKeyboard, "rgb_page", "RGB_KB_N", "RGB_KB_F", "rgb_kb_btn",
     "rgb_progress_text"},
    {UpdateProduct::oneColourKeyboard, "blue_page", "BLUE_KB_N", "BLUE_KB_F", "bule_kb_btn",
     "blue_progress_text"},
    {UpdateProduct::membraneKeyboard, "region_page", "REGION_KB_N", "REGION_KB_F", "region_kb_btn",
     "region_progress_text"},
    {UpdateProduct::mouseModel0, "ms_page", "ms_now_fw", "ms_new", "ms_update_btn",
     "ms_progress_text"},
    {UpdateProduct::mouseModel2, "MS2_page", "MS2_now_N", "MS2_new_F", "ms2_update_btn",
     "ms2_progress_text"},
}};

constexpr const ProductLineControls& lineControls(UpdateProduct product) {
    return kProductLines[static_cast<std::size_t>(product)];
}

inline constexpr std::string_view kLanguageCombo = "lanuage_select_combo";
inline constexpr std::string_view kWebSiteButton = "net_btn";
inline constexpr std::string_view kSocialPageButton = "facebook_btn";
inline constexpr std::string_view kCloseButton = "closebtn";

// The language key of a version nobody could tell (English "unknown").
inline constexpr std::string_view kUnknownVersion = "unknown";

// Messages of the attach code: a device line appears or goes.
struct DeviceMessage {
    std::uint32_t id;
    UpdateProduct product;
    bool arrived;
};

inline constexpr std::array<DeviceMessage, 10> kDeviceMessages{{
    {0x0D51, UpdateProduct::rgbKeyboard, true},
    {0x0D52, UpdateProduct::rgbKeyboard, false},
    {0x0D53, UpdateProduct::oneColourKeyboard, true},
    {0x0D54, UpdateProduct::oneColourKeyboard, false},
    {0x0D55, UpdateProduct::mouseModel0, true},
    {0x0D56, UpdateProduct::mouseModel0, false},
    {0x0D57, UpdateProduct::membraneKeyboard, true},
    {0x0D59, UpdateProduct::membraneKeyboard, false},
    {0x0D58, UpdateProduct::mouseModel2, true},
    {0x0D60, UpdateProduct::mouseModel2, false},
}};

constexpr std::optional<DeviceMessage> deviceMessage(std::uint32_t id) {
    for (const DeviceMessage& m : kDeviceMessages) {
        if (m.id == id)
            return m;
    }
    return std::nullopt;
}

// The combo row for the stored language value (LANGUAGE of "main.ini"):
// 0 is row 2, 1 row 0, 2 row 1, 3 to 9 their own row; others select nothing.
constexpr std::optional<int> languageRow(int languageValue) {
    switch (languageValue) {
        case 0:
            return 2;
        case 1:
            return 0;
        case 2:
            return 1;
        default:
            if (languageValue >= 3 && languageValue <= 9)
                return languageValue;
            return std::nullopt;
    }
}

// What the updater reports (first value of its progress message).
enum class UpdaterCode : int { finished = 1, nothingToDo = 2, downloadFailed = 3, progress = 4 };

}  // namespace quillon::update
