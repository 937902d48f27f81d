#pragma once

// The update window: for the software and each attached device that has an
// update product, the installed and the newest version, a button that asks
// the service for the update, the updater's progress, the language selector
// and the maker's two pages.
//
// Nothing here waits on the network on the GUI thread: the versions are asked
// for on background threads and shown when they arrive. Closing the window
// stops those threads without waiting; whatever they still deliver is
// dropped. All members run on the GUI thread.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>

#include "platform/url_opener.h"
#include "skin/skin.h"
#include "update/background_work.h"
#include "update/startup_check.h"
#include "update/update_products.h"
#include "update/update_service.h"

namespace quillon::update {

// Queues work for the GUI thread from any thread; false once that has ended.
using PostToGui = std::function<bool(std::function<void()>)>;

// Products whose update was asked for: they show the updater's progress.
// Outlive the window; cleared when the updater finishes or fails.
struct UpdateMarks {
    std::array<bool, kUpdateProducts.size()> updating{};
    void clear() { updating.fill(false); }
};

struct UpdateWindowContext {
    skin::Skin& skin;  // the window's own controls; WindowCommand::hide closes it
    std::shared_ptr<const UpdateService> service;
    platform::UrlOpener& opener;  // used from background threads too
    PostToGui postToGui;
    BackgroundWork& background;
    UpdateMarks& marks;
    std::function<AttachedFirmware()> devices;    // the attached devices now
    std::function<int()> languageSetting;         // the stored language value
    std::function<void(int row)> selectLanguage;  // the user chose a language row
    std::string installedVersion;                 // the software's own version text
};

class UpdateWindow {
  public:
    explicit UpdateWindow(UpdateWindowContext context);
    ~UpdateWindow();
    UpdateWindow(const UpdateWindow&) = delete;
    UpdateWindow& operator=(const UpdateWindow&) = delete;

    // Before the window is shown: the device pages of what is attached.
    void setPages();
    // The window exists: language row, installed versions, and the newest
    // versions asked for in the background.
    void windowInitialised();
    // Events of the window's controls.
    void notify(const skin::Notification& notification);
    // 0x0D51 … 0x0D60 from the attach code; other ids are ignored.
    void deviceMessage(std::uint32_t id);
    // The updater's progress message (code, value).
    void updaterProgress(int code, std::int64_t value);

    // Stops the background work without waiting and hides the window.
    void close();
    bool isOpen() const { return session_->open; }

  private:
    struct Session {
        bool open = true;  // GUI thread only
        std::stop_source stop;
    };

    void setText(std::string_view control, std::string_view text);
    // A text that follows the language.
    void setTextKey(std::string_view control, std::string_view key);
    void setEnabled(std::string_view control, bool enabled);
    void setVisible(std::string_view control, bool visible);
    void showInstalled(UpdateProduct product, const AttachedFirmware& devices);
    void askNewest(UpdateProduct product, int installedNumber);
    void showNewest(UpdateProduct product, std::optional<int> newest, int installedNumber);
    void showNewestSoftware(const std::optional<std::string>& text);
    void requestUpdate(UpdateProduct product);

    UpdateWindowContext ctx_;
    std::shared_ptr<Session> session_ = std::make_shared<Session>();
};

}  // namespace quillon::update
