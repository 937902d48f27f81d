#include "lighting/picture_controls.h"

#include <string>

#include "lighting/lighting_controls.h"

namespace quillon::lighting {

namespace {

void show(skin::Skin& skin, std::string_view name, bool visible) {
    if (skin::Control* c = skin.find(name))
        c->setVisible(visible);
}

}  // namespace

void bindControls(skin::Skin& skin, std::string_view prefix, std::span<skin::Control*> entries) {
    std::string name(prefix);
    const std::size_t base = name.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        name.resize(base);
        name += std::to_string(i);
        skin::Control* c = skin.find(name);
        entries[i] = c;
        if (c == nullptr)
            continue;
        c->setOverlayEnabled(true);
        c->setOverlayAlpha(0);
    }
}

void DevicePictures::install(shell::EventBus& events, skin::Skin& skin) {
    events.subscribe<link::DeviceArrived>(
        [this, &skin](const link::DeviceArrived& e) { arrived(skin, e); });
}

void DevicePictures::arrived(skin::Skin& skin, const link::DeviceArrived& e) {
    switch (e.kind) {
        case link::DeviceKind::keyboard: {
            const bool film = e.keyboardVariant == link::KeyboardVariant::membrane;
            show(skin, kPictureControls.membranePicture, film);
            show(skin, kPictureControls.mechanicalPicture, !film);
            bindControls(
                skin,
                film ? kKeyboardOnlyLighting.membraneKeyPrefix : kKeyboardOnlyLighting.keyPrefix,
                controls_.keyControls);
            break;
        }
        case link::DeviceKind::mouse: {
            // The second edition has no views of its own.
            if (e.mouseModel == link::MouseModel::secondEdition)
                break;
            const bool second = e.mouseModel == link::MouseModel::model2;
            show(skin, kPictureControls.mousePicture, !second);
            show(skin, kPictureControls.mouse2Picture, second);
            bindControls(
                skin, second ? kPictureControls.mouse2LedPrefix : kPictureControls.mouseLedPrefix,
                controls_.mouseKeyControls);
            break;
        }
        case link::DeviceKind::mousepad:
            break;
    }
}

}  // namespace quillon::lighting
