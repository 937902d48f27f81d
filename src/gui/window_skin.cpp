#include "gui/window_skin.h"

#include "gui/qt_skin.h"

namespace quillon::gui {

WindowSkin::WindowSkin(QtSkin& owner, QWidget& window, QWidget& view)
    : owner_(owner), window_(&window) {
    addControls(&view, static_cast<ControlHost&>(*this), controls_);
    reloadTexts();
}

WindowSkin::~WindowSkin() {
    sink_ = nullptr;
    controls_.clear();
}

skin::Control* WindowSkin::find(std::string_view name) {
    const auto it = controls_.find(std::string(name));
    return it != controls_.end() ? it->second.get() : nullptr;
}

void WindowSkin::setNotificationSink(skin::NotificationSink sink) {
    sink_ = std::move(sink);
}

void WindowSkin::notify(const skin::Notification& notification) {
    if (!sink_) {
        return;
    }
    // A handler may install another sink; the running one stays alive.
    const skin::NotificationSink sink = sink_;
    sink(notification);
}

void WindowSkin::windowCommand(skin::WindowCommand command) {
    if (window_ == nullptr) {
        return;
    }
    switch (command) {
        case skin::WindowCommand::show:
        case skin::WindowCommand::restore:
        case skin::WindowCommand::bringToFront:
            window_->show();
            window_->raise();
            window_->activateWindow();
            break;
        case skin::WindowCommand::hide:
            // Ends a modal loop the window runs in.
            window_->close();
            break;
        case skin::WindowCommand::minimise:
        case skin::WindowCommand::maximise:
            break;  // a fixed-size window over the main one
        case skin::WindowCommand::relayout:
            window_->update();
            break;
    }
}

bool WindowSkin::windowVisible() const {
    return window_ != nullptr && window_->isVisible();
}

std::string WindowSkin::languageCode() const {
    return owner_.languageCode();
}

bool WindowSkin::loadLanguage(std::string_view code, const std::filesystem::path& file) {
    if (!owner_.loadLanguage(code, file)) {
        return false;
    }
    owner_.reloadTexts();
    reloadTexts();
    return true;
}

std::string WindowSkin::translate(std::string_view key) const {
    return owner_.translate(key);
}

bool WindowSkin::hasText(std::string_view key) const {
    return owner_.hasText(key);
}

void WindowSkin::reloadTexts() {
    reloadKeyedTexts(window_, *this, controls_);
    if (window_ != nullptr) {
        window_->update();
    }
}

int WindowSkin::showMessage(std::string_view textKey) {
    return owner_.showMessage(textKey);
}

int WindowSkin::showMessageText(std::string_view text) {
    return owner_.showMessageText(text);
}

std::optional<std::filesystem::path> WindowSkin::openFileDialog(
    const skin::FileDialogRequest& request) {
    return owner_.openFileDialog(request);
}

std::optional<std::filesystem::path> WindowSkin::saveFileDialog(
    const skin::FileDialogRequest& request) {
    return owner_.saveFileDialog(request);
}

std::optional<std::string> WindowSkin::showMenu(std::string_view menuResource,
                                                std::string_view anchor,
                                                std::span<const skin::MenuItem> added) {
    return owner_.showMenu(menuResource, anchor, added);
}

}  // namespace quillon::gui
