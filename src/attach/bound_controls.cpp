#include "attach/bound_controls.h"

#include <string>

namespace quillon::attach {

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

void showControl(skin::Skin& skin, std::string_view name, bool visible) {
    if (skin::Control* c = skin.find(name))
        c->setVisible(visible);
}

void selectTab(skin::Skin& skin, std::string_view name) {
    if (name.empty())
        return;
    if (skin::Control* c = skin.find(name)) {
        c->setVisible(true);
        c->setChecked(true, true);
    }
}

}  // namespace quillon::attach
