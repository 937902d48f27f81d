#pragma once

// The update feature wired into the running program: the start-up version
// check (worker 14 and message 0x0D65), the update window opened by `setbtn`
// or that message, the device lines following the arrival and removal
// events, and the updater's relayed progress. Everything it uses is handed in; the returned module
// owns the rest and must outlive the application's workers.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/desktop_proxy_resolver.h"
#include "platform/url_opener.h"
#include "platform/user_folders.h"
#include "shell/application.h"
#include "skin/skin.h"
#include "update/background_work.h"
#include "update/startup_check.h"
#include "update/update_service.h"
#include "update/update_window.h"

namespace quillon::update {

// What the front end gives the update window.
class UpdateWindowShell {
  public:
    virtual ~UpdateWindowShell() = default;
    // The window's controls (its skin file, resource "XML_FUNCTION_SET").
    virtual skin::Skin& skin() = 0;
    // Shows the window modally, 800 × 572, its right edge 30 px inside the main
    // window's and its top 60 px below the main window's top; returns once it
    // was closed (by skin().windowCommand(hide) or by the user).
    virtual void runModal() = 0;

  protected:
    UpdateWindowShell() = default;
    UpdateWindowShell(const UpdateWindowShell&) = default;
    UpdateWindowShell& operator=(const UpdateWindowShell&) = default;
};

struct UpdateModuleParts {
    shell::Application& app;
    const platform::UserFolders& folders;  // where "update.ini" is looked up
    // The attached devices as attach keeps them; called from any thread.
    std::function<AttachedFirmware()> devices;
    // Builds the window; empty where there is no window (nothing opens).
    std::function<std::unique_ptr<UpdateWindowShell>()> makeWindow;
    std::function<int()> languageSetting;         // LANGUAGE of "main.ini"
    std::function<void(int row)> selectLanguage;  // a row chosen in the window
};

class UpdateModule {
  public:
    explicit UpdateModule(UpdateModuleParts parts);
    // Joins the background queries (they stop within a second).
    ~UpdateModule();
    UpdateModule(const UpdateModule&) = delete;
    UpdateModule& operator=(const UpdateModule&) = delete;

    // GUI thread: the device notices 0x0D51 … 0x0D60 (dropped while no
    // window is open) and the request to close the window.
    void deviceNotice(std::uint32_t id);
    void closeWindow();

    const UpdateService& service() const { return *service_; }

  private:
    friend std::unique_ptr<UpdateModule> install(UpdateModuleParts parts);
    void openWindow();
    void startupCheck(const shell::WorkerContext& context);

    UpdateModuleParts parts_;
    platform::DesktopProxyResolver desktopProxy_;
    platform::XdgUrlOpener opener_;
    std::shared_ptr<const UpdateService> service_;
    UpdateMarks marks_;
    std::unique_ptr<UpdateWindowShell> shell_;
    std::unique_ptr<UpdateWindow> window_;
    // Last: its threads use the members above.
    BackgroundWork background_;
};

// Adds the feature's routes, messages and worker body to `parts.app`.
[[nodiscard]] std::unique_ptr<UpdateModule> install(UpdateModuleParts parts);

}  // namespace quillon::update
