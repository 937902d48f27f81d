#pragma once

// The on-screen device pictures of the main window and the mirrors that feed
// them: keyboard keys (RGB and one-colour / membrane), the two mouse models'
// LEDs and the mousepad's LEDs.

#include <QObject>
#include <memory>
#include <vector>

#include "lighting/screen_mirror.h"

namespace quillon::gui {

class PicturePreview;
class QtSkin;

struct PictureMirrors {
    const lighting::ScreenMirror& keyboard;
    const lighting::ScreenMirror& mouse;
    const lighting::ScreenMirror& mousepad;
};

// Makes one preview per picture; each polls only while its picture is shown.
// Pictures missing from the skin get none.
std::vector<PicturePreview*> attachPicturePreviews(QtSkin& skin, const PictureMirrors& mirrors,
                                                   QObject* owner);

}  // namespace quillon::gui
