#pragma once

// skin::Skin over Qt widgets built at run time from the skin files: the main
// window, its controls by name, the language, the message window, file
// dialogs and menus.

#include <QDir>
#include <QMenu>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <string>
#include <unordered_map>

#include "gui/main_frame.h"
#include "gui/qt_control.h"
#include "gui/resource_index.h"
#include "skin/language_file.h"
#include "skin/skin.h"

namespace quillon::gui {

class QtSkin final : public skin::Skin, private ControlHost {
  public:
    // `mainResource`: the resource the window is built from (the main window's
    // "XML_MAIN", or a small window's own).
    explicit QtSkin(const QDir& skinDir, std::string_view mainResource = "XML_MAIN");
    ~QtSkin() override;
    QtSkin(const QtSkin&) = delete;
    QtSkin& operator=(const QtSkin&) = delete;

    // Reads "res.xml", builds the main window from "XML_MAIN" and applies the
    // style sheet. False on failure; errors() tells why. Texts of controls
    // marked with a key show the key until a language is loaded.
    [[nodiscard]] bool build();
    const QStringList& errors() const { return errors_; }
    const QDir& skinDir() const { return skinDir_; }

    MainFrame* mainWindow() const { return frame_.get(); }
    QtControl* control(std::string_view name) const;

    // Sends "windowinit" to the sink: the views exist.
    void announceWindowInit();

    // The file of a skin resource in the skin folder (empty when unknown).
    QString resourceFile(std::string_view resource) const;

    // Fills `menu` from a menu resource ("menu.xml") and puts `added` after
    // its first item; each action's objectName is the item's name. False when
    // the file is missing or bad (the added items are there all the same).
    [[nodiscard]] bool buildMenu(std::string_view menuResource, QMenu& menu,
                                 std::span<const skin::MenuItem> added = {});

    // Whether a message window opened through this skin is on screen.
    bool messageShowing() const { return messageDepth_ > 0; }

    skin::Control* find(std::string_view name) override;
    void setNotificationSink(skin::NotificationSink sink) override;
    void windowCommand(skin::WindowCommand command) override;
    bool windowVisible() const override;
    bool windowMinimised() const override;
    std::string languageCode() const override { return languageCode_; }
    [[nodiscard]] bool loadLanguage(std::string_view code,
                                    const std::filesystem::path& file) override;
    // Loads the language `code` from the file that the language list
    // ("lan.xml") names for it. False when the list or the file is missing or
    // bad, or the list does not offer the language; the current one stays.
    [[nodiscard]] bool loadListedLanguage(std::string_view code);
    // Takes the language of another window's skin.
    void shareLanguage(const QtSkin& other);
    std::string translate(std::string_view key) const override;
    bool hasText(std::string_view key) const override { return language_.find(key) != nullptr; }
    void reloadTexts() override;
    // Shows the keyed texts of a window built outside the skin (the message
    // window) in the current language.
    void translateWindow(QWidget& window) const;
    int showMessage(std::string_view textKey) override;
    int showMessageText(std::string_view text) override;
    std::optional<std::filesystem::path> openFileDialog(
        const skin::FileDialogRequest& request) override;
    std::optional<std::filesystem::path> saveFileDialog(
        const skin::FileDialogRequest& request) override;
    std::optional<std::string> showMenu(std::string_view menuResource, std::string_view anchor,
                                        std::span<const skin::MenuItem> added = {}) override;

  private:
    void notify(const skin::Notification& notification) override;
    QString imagePath(std::string_view image) const override;
    void registerControls(QWidget* root);
    int runMessage(const QString& text);

    QDir skinDir_;
    std::string mainResource_;
    ResourceIndex resources_;
    std::unique_ptr<MainFrame> frame_;
    ControlMap controls_;
    skin::NotificationSink sink_;
    skin::LanguageTable language_;
    std::string languageCode_;
    QStringList errors_;
    int messageDepth_ = 0;
};

// "(*.led) | *.led |(*.*)|*.*||" -> "(*.led) (*.led);;(*.*) (*.*)"
QString qtFileFilter(std::string_view filter);

}  // namespace quillon::gui
