#include "attach/window_steps.h"

namespace quillon::attach {

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
