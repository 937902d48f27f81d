#pragma once

// The on-screen device pictures of the main window and the mirrors that feed
// them: keyboard keys (RGB and one-colour / membrane), the two mouse models'
// LEDs and the mousepad's LEDs. The keyboard pictures are laid out like the
// physical keyboard of the attached variant.

#include <QObject>
#include <functional>
#include <string_view>
#include <vector>

#include "gui/keyboard_layout.h"
#include "lighting/screen_mirror.h"

namespace quillon::gui {

class DevicePicture;
class QtSkin;

struct PictureMirrors {
    const lighting::ScreenMirror& keyboard;
    const lighting::ScreenMirror& mouse;
    const lighting::ScreenMirror& mousepad;
    // The attached keyboard's variant (0 RGB, 1 one-colour, 2 membrane);
    // may be called often, so it must be cheap.
    std::function<int()> keyboardVariant;
};

// Binds each picture of the skin to its mirror; each polls only while it is
// shown. Pictures missing from the skin are left out. Also lays out the
// key-assignment keyboards.
std::vector<DevicePicture*> attachDevicePictures(QtSkin& skin, const PictureMirrors& mirrors);

// Places the controls `prefix` + N of `container` where position N sits on
// the keyboard, scaled to fit and centred; positions that `picture` does
// not draw are hidden. False when the container is missing.
bool placeKeyboard(QtSkin& skin, std::string_view container, std::string_view prefix,
                   KeyboardPicture picture);

}  // namespace quillon::gui
