#pragma once

// A headless Skin for tests and the command-line front end: controls live in
// memory, notifications are recorded, and the modal windows answer from
// scripts. Tests drive the logic through the user* operations (what a user
// would do) and inspect every control afterwards.

#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "skin/language_file.h"
#include "skin/skin.h"

namespace quillon::skin {

class MemorySkin;

class MemoryControl final : public Control {
  public:
    MemoryControl(MemorySkin& skin, std::string name) : skin_(skin), name_(std::move(name)) {}

    std::string name() const override { return name_; }

    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }
    bool isEnabled() const override { return enabled_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    std::string text() const override { return text_; }
    void setText(std::string_view text) override;
    void setTextKey(std::string_view key) override;
    std::string textKey() const override { return textKey_; }
    std::string tooltip() const override { return tooltip_; }
    void setTooltip(std::string_view text) override { tooltip_ = text; }
    std::uint32_t backgroundColour() const override { return backgroundColour_; }
    void setBackgroundColour(std::uint32_t argb) override { backgroundColour_ = argb; }
    std::uint32_t textColour() const override { return textColour_; }
    void setTextColour(std::uint32_t argb) override { textColour_ = argb; }
    std::string backgroundImage() const override { return backgroundImage_; }
    void setBackgroundImage(std::string_view image) override { backgroundImage_ = image; }
    std::string userData() const override { return userData_; }
    void setUserData(std::string_view data) override { userData_ = data; }
    void setFocus() override;
    // Rows added with a text key show that key's text in the current language.
    void reloadRowTexts();

    bool overlayEnabled() const override { return overlayEnabled_; }
    void setOverlayEnabled(bool on) override { overlayEnabled_ = on; }
    std::uint32_t overlayColour() const override { return overlayColour_; }
    void setOverlayColour(std::uint32_t gbr) override { overlayColour_ = gbr; }
    std::uint8_t overlayAlpha() const override { return overlayAlpha_; }
    void setOverlayAlpha(std::uint8_t alpha) override { overlayAlpha_ = alpha; }

    bool isCurrent() const override { return current_; }
    void setCurrent(bool current) override { current_ = current; }
    bool isChecked() const override { return checked_; }
    void setChecked(bool checked, bool raiseEvent) override;

    int rowCount() const override { return static_cast<int>(rows_.size()); }
    int addRow(const Row& row) override { return insertRow(rowCount(), row); }
    int insertRow(int at, const Row& row) override;
    void removeRow(int index) override;
    void clearRows() override;
    std::optional<Row> row(int index) const override;
    void setRow(int index, const Row& row) override;
    bool selectRow(int index, bool raiseEvent) override;
    int currentRow() const override { return currentRow_; }

    int currentPage() const override { return currentPage_; }
    void selectPage(int page) override { currentPage_ = page; }

    void setRange(int minimum, int maximum) override;
    int minimum() const override { return minimum_; }
    int maximum() const override { return maximum_; }
    int value() const override { return value_; }
    void setValue(int value) override;

    std::uint32_t colour() const override { return colour_; }
    void setColour(std::uint32_t argb) override { colour_ = argb; }

    // Options of one group exclude each other; empty = no group.
    const std::string& group() const { return group_; }
    void setGroup(std::string_view group) { group_ = group; }

  private:
    MemorySkin& skin_;
    std::string name_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    std::string textKey_;
    std::string tooltip_;
    std::uint32_t backgroundColour_ = 0;
    std::uint32_t textColour_ = 0;
    std::string backgroundImage_;
    std::string userData_;
    bool overlayEnabled_ = false;
    std::uint32_t overlayColour_ = 0;
    std::uint8_t overlayAlpha_ = 0;
    bool checked_ = false;
    bool current_ = false;
    std::vector<Row> rows_;
    int currentRow_ = -1;
    int currentPage_ = 0;
    int minimum_ = 0;
    int maximum_ = 100;
    int value_ = 0;
    std::uint32_t colour_ = 0;
    std::string group_;
};

// What the message window was asked to show.
struct ShownMessage {
    std::string key;   // empty for showMessageText
    std::string text;  // the text the user would have read
    int answer = 0;
};

struct FileDialogCall {
    bool save = false;
    FileDialogRequest request;
};

class MemorySkin final : public Skin {
  public:
    MemorySkin() = default;
    MemorySkin(const MemorySkin&) = delete;
    MemorySkin& operator=(const MemorySkin&) = delete;

    // --- building the skin
    // With on-demand creation (the default) find() creates any name it is
    // asked for; without it only declared controls exist.
    void setCreateOnDemand(bool on) { createOnDemand_ = on; }
    // Creates the control if needed and returns it.
    MemoryControl& declare(std::string_view name);
    // Declares options that exclude each other.
    void declareOptionGroup(std::string_view group, std::initializer_list<std::string_view> names);
    bool has(std::string_view name) const;
    // The control, created on demand or not; for inspection in tests.
    MemoryControl& at(std::string_view name) { return declare(name); }

    // --- what a user does: each changes the control and raises its event
    void userClick(std::string_view name);
    void userCheck(std::string_view name, bool checked);
    void userSelectRow(std::string_view name, int row);
    void userClickRow(std::string_view name, int row);
    void userSlide(std::string_view name, int value, bool dragging);
    void userType(std::string_view name, std::string_view text);
    void userPickColour(std::string_view name, std::uint32_t argb);
    void raise(const Notification& notification);

    // --- records
    const std::vector<Notification>& notifications() const { return notifications_; }
    void clearNotifications() { notifications_.clear(); }
    const std::vector<ShownMessage>& messages() const { return messages_; }
    void clearMessages() { messages_.clear(); }
    const std::vector<FileDialogCall>& fileDialogs() const { return fileDialogs_; }
    const std::vector<WindowCommand>& windowCommands() const { return windowCommands_; }
    const std::string& focused() const { return focused_; }

    // --- scripted answers, used first-in first-out; when a queue is empty the
    // default answer is used (messages: confirm; dialogs and menus: cancel)
    void queueMessageAnswer(int answer) { messageAnswers_.push_back(answer); }
    void setDefaultMessageAnswer(int answer) { defaultMessageAnswer_ = answer; }
    void queueFileAnswer(std::optional<std::filesystem::path> answer) {
        fileAnswers_.push_back(std::move(answer));
    }
    // Runs while a message window is open (after it was recorded, before it
    // answers): what happens meanwhile in a real modal loop.
    void setWhileMessageOpen(std::function<void(const ShownMessage&)> fn) {
        whileMessageOpen_ = std::move(fn);
    }
    void queueMenuAnswer(std::optional<std::string> answer) {
        menuAnswers_.push_back(std::move(answer));
    }
    struct ShownMenu {
        std::string resource;
        std::string anchor;
        std::vector<std::pair<std::string, std::string>> added;  // name, text key
    };
    const std::vector<ShownMenu>& menus() const { return menus_; }

    // --- Skin
    Control* find(std::string_view name) override;
    void setNotificationSink(NotificationSink sink) override { sink_ = std::move(sink); }
    void windowCommand(WindowCommand command) override;
    bool windowVisible() const override { return windowVisible_; }
    bool windowMinimised() const override { return windowMinimised_; }
    std::string languageCode() const override { return languageCode_; }
    [[nodiscard]] bool loadLanguage(std::string_view code,
                                    const std::filesystem::path& file) override;
    std::string translate(std::string_view key) const override { return language_.translate(key); }
    void reloadTexts() override;
    int showMessage(std::string_view textKey) override;
    int showMessageText(std::string_view text) override;
    std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> showMenu(std::string_view menuResource, std::string_view anchor,
                                        std::span<const MenuItem> added = {}) override;

    // Loads a language from text (tests), as loadLanguage does from a file.
    [[nodiscard]] LanguageLoad loadLanguageText(std::string_view xml);

  private:
    friend class MemoryControl;
    void emit(Notification notification);
    void uncheckGroupPeers(const MemoryControl& selected);
    std::optional<std::filesystem::path> answerFileDialog(bool save,
                                                          const FileDialogRequest& request);
    int answerMessage(std::string key, std::string text);

    // std::map keeps controls at stable addresses while new ones are created.
    std::map<std::string, std::unique_ptr<MemoryControl>, std::less<>> controls_;
    bool createOnDemand_ = true;
    NotificationSink sink_;
    std::vector<Notification> notifications_;
    std::vector<ShownMessage> messages_;
    std::vector<FileDialogCall> fileDialogs_;
    std::vector<WindowCommand> windowCommands_;
    std::deque<int> messageAnswers_;
    int defaultMessageAnswer_ = 1;
    std::deque<std::optional<std::filesystem::path>> fileAnswers_;
    std::deque<std::optional<std::string>> menuAnswers_;
    std::vector<ShownMenu> menus_;
    std::function<void(const ShownMessage&)> whileMessageOpen_;
    LanguageTable language_;
    std::string languageCode_;
    bool windowVisible_ = false;
    bool windowMinimised_ = false;
    std::string focused_;
};

}  // namespace quillon::skin
