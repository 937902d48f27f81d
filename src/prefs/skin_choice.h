#pragma once

// The skin broadcast: a background chosen in the skin window, told to every
// window that shows one (the main window paints it on its `root` control).

#include <cstdint>
#include <string>

#include "skin/skin.h"

namespace quillon::prefs {

struct SkinChosen {
    bool useColour = false;
    std::uint32_t colour = 0;  // 0xAARRGGBB, with useColour
    std::string image;         // without useColour; a skin-relative name or a path
};

inline constexpr std::string_view kBackgroundControl = "root";

// Paints the choice on the window's `root`: a colour clears the image, an
// image clears the colour.
inline void applySkinChoice(skin::Skin& skin, const SkinChosen& choice) {
    skin::Control* root = skin.find(kBackgroundControl);
    if (root == nullptr)
        return;
    root->setBackgroundColour(choice.useColour ? choice.colour : 0);
    root->setBackgroundImage(choice.useColour ? std::string() : choice.image);
}

}  // namespace quillon::prefs
