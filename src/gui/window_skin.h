#pragma once

// skin::Skin over a window of its own beside the main one (the update
// window): its controls by name and their notifications, while language and
// the modal windows are the main skin's. Hiding it closes the window.

#include <QPointer>
#include <QWidget>

#include "gui/qt_control.h"
#include "skin/skin.h"

namespace quillon::gui {

class QtSkin;

class WindowSkin final : public skin::Skin, private ControlHost {
  public:
    // `window` shows `view`, a widget tree built from a skin file; both
    // outlive this object or are destroyed with it.
    WindowSkin(QtSkin& owner, QWidget& window, QWidget& view);
    ~WindowSkin() override;
    WindowSkin(const WindowSkin&) = delete;
    WindowSkin& operator=(const WindowSkin&) = delete;

    skin::Control* find(std::string_view name) override;
    void setNotificationSink(skin::NotificationSink sink) override;
    void windowCommand(skin::WindowCommand command) override;
    bool windowVisible() const override;
    std::string languageCode() const override;
    [[nodiscard]] bool loadLanguage(std::string_view code,
                                    const std::filesystem::path& file) override;
    std::string translate(std::string_view key) const override;
    void reloadTexts() override;
    int showMessage(std::string_view textKey) override;
    int showMessageText(std::string_view text) override;
    std::optional<std::filesystem::path> openFileDialog(
        const skin::FileDialogRequest& request) override;
    std::optional<std::filesystem::path> saveFileDialog(
        const skin::FileDialogRequest& request) override;
    std::optional<std::string> showMenu(std::string_view menuResource, std::string_view anchor,
                                        std::span<const skin::MenuItem> added = {}) override;

  private:
    bool hasText(std::string_view key) const override;
    void notify(const skin::Notification& notification) override;

    QtSkin& owner_;
    QPointer<QWidget> window_;
    ControlMap controls_;
    skin::NotificationSink sink_;
};

}  // namespace quillon::gui
