#include "keys/key_page_view.h"

#include "keys/mouse_button_overlays.h"
#include "link/device_events.h"

namespace quillon::keys {

namespace {

void show(skin::Skin& skin, std::string_view name, bool visible) {
    if (skin::Control* c = skin.find(name))
        c->setVisible(visible);
}

void arrived(skin::Skin& skin, const link::DeviceArrived& e) {
    const KeyPageControls& c = kKeyPageControls;
    if (e.kind == link::DeviceKind::keyboard) {
        const bool film = e.keyboardVariant == link::KeyboardVariant::membrane;
        show(skin, c.membraneKeys, film);
        show(skin, c.mechanicalKeys, !film);
        return;
    }
    if (e.kind != link::DeviceKind::mouse)
        return;
    const bool model2 = e.mouseModel == link::MouseModel::model2;
    show(skin, c.patternPage, !model2);
    show(skin, c.patternKeys, !model2);
    if (e.mouseModel != link::MouseModel::secondEdition) {
        show(skin, c.mouseKeyLayout, !model2);
        show(skin, c.mouse2KeyLayout, model2);
    }
    // Each model's picture has its own button overlays; the second edition none.
    const bool model0 = e.mouseModel == link::MouseModel::first;
    for (std::size_t slot = 0; slot < kMouseButtons; ++slot) {
        show(skin, kModel0ButtonOverlays[slot], model0);
        show(skin, kModel2ButtonOverlays[slot], model2);
    }
    // The first pattern option re-selected with its events, so the pattern
    // page shows the patterns just read back.
    if (skin::Control* option = skin.find(c.firstPatternOption)) {
        option->setChecked(false, true);
        option->setChecked(true, true);
    }
}

}  // namespace

void installKeyPageView(shell::EventBus& events, skin::Skin& skin) {
    events.subscribe<link::DeviceArrived>(
        [&skin](const link::DeviceArrived& e) { arrived(skin, e); });
}

}  // namespace quillon::keys
