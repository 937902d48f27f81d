#include "prefs/skin_window.h"

#include "prefs/skin_choice.h"

namespace quillon::prefs {

namespace {

// The name itself, or the name with "_" and an index after it.
bool isFamily(std::string_view name, std::string_view base) {
    if (!name.starts_with(base))
        return false;
    const std::string_view rest = name.substr(base.size());
    return rest.empty() || rest.starts_with('_');
}

}  // namespace

SkinWindow::SkinWindow(std::unique_ptr<SkinWindowShell> shell, PreferenceFiles& files,
                       const shell::EventBus& events)
    : shell_(std::move(shell)), files_(files), events_(events) {
    shell_->skin().setNotificationSink([this](const skin::Notification& n) {
        if (n.type == skin::NotifyType::click)
            click(n.name);
    });
}

SkinWindow::~SkinWindow() {
    shell_->skin().setNotificationSink({});
}

void SkinWindow::click(std::string_view name) {
    const SkinWindowControls& c = kSkinWindowControls;
    skin::Skin& skin = shell_->skin();
    if (name == c.colourPage || name == c.imagePage) {
        if (skin::Control* tab = skin.find(c.tab))
            tab->selectPage(name == c.colourPage ? 1 : 0);
    } else if (name == c.reset) {
        events_.publish(SkinChosen{false, 0, std::string(kDefaultBackground)});
        (void)files_.setSkinImage(false, kDefaultBackground);  // shown either way
    } else if (name == c.custom) {
        // Not kept: the picture may be gone by the next start.
        const auto file = skin.openFileDialog({"(*.png) | *.png |(*.*)|*.*||", "png", "*.png"});
        if (file)
            events_.publish(SkinChosen{false, 0, file->string()});
    } else if (isFamily(name, c.imageButton)) {
        const skin::Control* button = skin.find(name);
        if (button == nullptr || button->backgroundImage().empty())
            return;
        const std::string image = button->backgroundImage();
        events_.publish(SkinChosen{false, 0, image});
        (void)files_.setSkinImage(true, image);  // shown either way
    } else if (isFamily(name, c.colourButton)) {
        if (const skin::Control* button = skin.find(name))
            events_.publish(SkinChosen{true, button->backgroundColour(), {}});
    }
}

}  // namespace quillon::prefs
