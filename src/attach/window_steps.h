#pragma once

// The few view steps attach takes itself on the GUI thread: the device tabs
// and the window. A name the skin lacks is skipped.

#include <string_view>

#include "skin/skin.h"

namespace quillon::attach {

void showControl(skin::Skin& skin, std::string_view name, bool visible);
// Shows a tab option and selects it, raising its selection event so the tab
// navigation switches the page.
void selectTab(skin::Skin& skin, std::string_view name);

}  // namespace quillon::attach
