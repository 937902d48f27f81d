#pragma once

// The light controls of the device pictures, bound by name at every arrival:
// `keyControls` in key-index order, `mouseKeyControls` for the mouse's LEDs.
// A name the skin lacks leaves an empty entry, which painters skip. Read and
// written on the GUI thread only.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "skin/skin.h"

namespace quillon::attach {

inline constexpr std::size_t kKeyControlCount = 126;
inline constexpr std::size_t kMouseKeyControlCount = 20;

struct BoundControls {
    std::array<skin::Control*, kKeyControlCount> keyControls{};
    std::array<skin::Control*, kMouseKeyControlCount> mouseKeyControls{};
};

// Finds prefix + i for every entry; a found control gets its colour overlay
// switched on at alpha 0 (drawn uncoloured until the lighting paints it).
void bindControls(skin::Skin& skin, std::string_view prefix, std::span<skin::Control*> entries);

// View steps on the GUI thread; a name the skin lacks is skipped.
void showControl(skin::Skin& skin, std::string_view name, bool visible);
// Shows a tab option and selects it, raising its selection event so the tab
// navigation switches the page.
void selectTab(skin::Skin& skin, std::string_view name);

}  // namespace quillon::attach
