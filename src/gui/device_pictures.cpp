#include "gui/device_pictures.h"

#include <array>
#include <memory>
#include <string>

#include "gui/device_picture.h"
#include "gui/light_key.h"
#include "gui/qt_skin.h"

namespace quillon::gui {

namespace {

enum class Source { keyboard, mouse, mousepad };

struct Picture {
    const char* container;  // the DevicePicture
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

LightKey* lightNamed(QtSkin& skin, const std::string& name) {
    QtControl* control = skin.control(name);
    return control != nullptr ? qobject_cast<LightKey*>(control->widget()) : nullptr;
}

}  // namespace

bool placeKeyboard(QtSkin& skin, std::string_view container, std::string_view prefix,
                   KeyboardPicture picture) {
    QtControl* holder = skin.control(container);
    if (holder == nullptr || holder->widget() == nullptr) {
        return false;
    }
    const QSize area = holder->widget()->size();
    const double quarter = std::min(area.width() / double(kKeyboardWidthQuarters),
                                    area.height() / double(kKeyboardHeightQuarters));
    const int left = static_cast<int>((area.width() - quarter * kKeyboardWidthQuarters) / 2);
    const auto& places = keyboardPlaces();
    for (std::size_t i = 0; i < places.size(); ++i) {
        LightKey* key = lightNamed(skin, std::string(prefix) + std::to_string(i));
        if (key == nullptr) {
            continue;
        }
        const KeyPlace& place = places[i];
        if (!positionDrawn(picture, i)) {
            key->hide();
            continue;
        }
        // Edges are rounded separately so that neighbours keep equal gaps.
        auto at = [quarter](int q) { return static_cast<int>(q * quarter + 0.5); };
        const QRect cell(
            QPoint(left + at(place.x), at(place.y)),
            QPoint(left + at(place.x + place.width) - 1, at(place.y + place.height) - 1));
        key->setGeometry(cell.adjusted(1, 1, -1, -1));
        key->setText(
            QString::fromUtf8(place.label.data(), static_cast<qsizetype>(place.label.size())));
        key->setShape(place.indicator ? "led" : "key");
        key->show();
    }
    return true;
}

std::vector<DevicePicture*> attachDevicePictures(QtSkin& skin, const PictureMirrors& mirrors) {
    (void)placeKeyboard(skin, "kb_mechanical_key", "kb_key_", KeyboardPicture::keys);
    (void)placeKeyboard(skin, "kb_film_key", "kb_keyf_", KeyboardPicture::keys);

    std::vector<DevicePicture*> pictures;
    for (const Picture& picture : kPictures) {
        QtControl* container = skin.control(picture.container);
        auto* widget =
            container != nullptr ? qobject_cast<DevicePicture*>(container->widget()) : nullptr;
        if (widget == nullptr) {
            continue;
        }
        std::vector<LightKey*> lights;
        lights.reserve(static_cast<std::size_t>(picture.count));
        for (int i = 0; i < picture.count; ++i) {
            lights.push_back(lightNamed(skin, std::string(picture.prefix) + std::to_string(i)));
        }
        const lighting::ScreenMirror& mirror = picture.source == Source::keyboard ? mirrors.keyboard
                                               : picture.source == Source::mouse  ? mirrors.mouse
                                                                                 : mirrors.mousepad;
        if (picture.source == Source::keyboard) {
            const bool film = std::string_view(picture.prefix) == "kb_fkey_";
            // The RGB and the one-colour keyboard share a picture but not
            // their LEDs; it follows whichever is attached.
            auto placed = std::make_shared<int>(-1);
            widget->setArrangement(
                [&skin, picture, film, placed, variant = mirrors.keyboardVariant] {
                    const KeyboardPicture want = film      ? KeyboardPicture::membraneLights
                                                 : variant ? lightsOfVariant(variant())
                                                           : KeyboardPicture::rgbLights;
                    if (*placed == static_cast<int>(want)) {
                        return false;
                    }
                    *placed = static_cast<int>(want);
                    return placeKeyboard(skin, picture.container, picture.prefix, want);
                });
        }
        widget->bind(std::move(lights), &mirror);
        pictures.push_back(widget);
    }
    return pictures;
}

}  // namespace quillon::gui
