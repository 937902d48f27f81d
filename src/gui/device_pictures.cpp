#include "gui/device_pictures.h"

#include <array>
#include <string>

#include "gui/picture_preview.h"
#include "gui/qt_skin.h"

namespace quillon::gui {

namespace {

enum class Source { keyboard, mouse, mousepad };

struct Picture {
    const char* container;  // the widget whose visibility counts
    const char* prefix;     // the lights: prefix + index
    int count;
    Source source;
};

constexpr std::array<Picture, 5> kPictures{{
    {"kb_mechanical_light", "kb_dkey_", 126, Source::keyboard},
    {"kb_film_light", "kb_fkey_", 126, Source::keyboard},
    {"ms_deng_key", "ms_dkey_", 20, Source::mouse},
    {"ms2_deng_key", "ms2_dkey_", 20, Source::mouse},
    {"mp_picture", "mp_dkey_", 15, Source::mousepad},
}};

}  // namespace

std::vector<PicturePreview*> attachPicturePreviews(QtSkin& skin, const PictureMirrors& mirrors,
                                                   QObject* owner) {
    std::vector<PicturePreview*> previews;
    for (const Picture& picture : kPictures) {
        QtControl* container = skin.control(picture.container);
        if (container == nullptr || container->widget() == nullptr) {
            continue;
        }
        std::vector<QtControl*> lights;
        lights.reserve(static_cast<std::size_t>(picture.count));
        for (int i = 0; i < picture.count; ++i) {
            lights.push_back(skin.control(std::string(picture.prefix) + std::to_string(i)));
        }
        const lighting::ScreenMirror& mirror = picture.source == Source::keyboard ? mirrors.keyboard
                                               : picture.source == Source::mouse  ? mirrors.mouse
                                                                                 : mirrors.mousepad;
        previews.push_back(
            new PicturePreview(container->widget(), std::move(lights), mirror, owner));
    }
    return previews;
}

}  // namespace quillon::gui
