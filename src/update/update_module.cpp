#include "update/update_module.h"

#include "link/device_events.h"
#include "platform/abort_signal.h"
#include "update/installed_version.h"
#include "update/update_notices.h"

namespace quillon::update {

UpdateModule::UpdateModule(UpdateModuleParts parts) : parts_(std::move(parts)) {
    std::vector<std::filesystem::path> folders{parts_.folders.programOverlayFolder()};
    for (const auto& folder : parts_.folders.programDataFolders())
        folders.push_back(folder);
    UpdateConfig config = readUpdateConfig(folders);
    ServiceExchange exchange = httpServiceExchange(config.manualProxy, &desktopProxy_);
    service_ = std::make_shared<const UpdateService>(std::move(config), std::move(exchange));
}

UpdateModule::~UpdateModule() {
    window_.reset();  // stops its queries
    background_.joinAll();
}

std::unique_ptr<UpdateModule> install(UpdateModuleParts parts) {
    auto module = std::make_unique<UpdateModule>(std::move(parts));
    UpdateModule* m = module.get();
    shell::Application& app = m->parts_.app;
    app.notifications().addName(skin::NotifyType::click, "setbtn",
                                [m](const skin::Notification&, int) { m->openWindow(); });
    app.messages().on(shell::MessageId::updateWindowOpen,
                      [m](const shell::WindowMessage&) { m->openWindow(); });
    app.messages().on(shell::MessageId::updateWindowClose,
                      [m](const shell::WindowMessage&) { m->closeWindow(); });
    app.messages().on(shell::MessageId::relayToUpdateWindow, [m](const shell::WindowMessage& msg) {
        if (m->window_)
            m->window_->updaterProgress(static_cast<int>(msg.wParam), msg.lParam);
    });
    // The open window shows and hides device lines as devices come and go,
    // and closes when the last keyboard or mouse has left.
    app.events().subscribe<link::DeviceArrived>([m](const link::DeviceArrived& arrived) {
        if (const auto notice = arrivalNotice(arrived))
            m->deviceNotice(static_cast<std::uint32_t>(*notice));
    });
    app.events().subscribe<link::DeviceLeft>([m](const link::DeviceLeft& left) {
        if (const auto notice = removalNotice(left))
            m->deviceNotice(static_cast<std::uint32_t>(*notice));
        if (closesUpdateWindow(left))
            m->closeWindow();
    });
    app.workers().setBody(shell::Worker::startupVersionCheck,
                          [m](const shell::WorkerContext& context) { m->startupCheck(context); });
    return module;
}

void UpdateModule::openWindow() {
    // One window at a time; a second request while it is open does nothing.
    if (window_ || !parts_.makeWindow)
        return;
    shell_ = parts_.makeWindow();
    if (!shell_)
        return;
    shell::Application& app = parts_.app;
    window_ = std::make_unique<UpdateWindow>(UpdateWindowContext{
        shell_->skin(), service_, opener_,
        [&app](std::function<void()> fn) { return app.loop().post(std::move(fn)); }, background_,
        marks_, parts_.devices, parts_.languageSetting, parts_.selectLanguage,
        std::string(kInstalledSoftwareVersion)});
    UpdateWindow* window = window_.get();
    shell_->skin().setNotificationSink(
        [window](const skin::Notification& n) { window->notify(n); });
    window->setPages();
    window->windowInitialised();
    shell_->runModal();
    // The modal loop has ended: the main window forgets the window.
    shell_->skin().setNotificationSink({});
    window_.reset();
    shell_.reset();
}

void UpdateModule::closeWindow() {
    if (window_)
        window_->close();
}

void UpdateModule::deviceNotice(std::uint32_t id) {
    if (window_)
        window_->deviceMessage(id);
}

void UpdateModule::startupCheck(const shell::WorkerContext& context) {
    // The exchange watches a stop token; the worker's stop signal is an fd.
    // A helper waits on both the signal and "done", so neither side polls.
    std::stop_source stop;
    platform::AbortSignal done;
    std::thread bridge([&] {
        if (context.stop.waitFor(std::chrono::hours(24), done.fd()) == link::StopSignal::Wake::stop)
            stop.request_stop();
    });
    const bool notify = startupCheckFindsUpdate(
        *service_, kInstalledSoftwareVersion,
        parts_.devices ? parts_.devices() : AttachedFirmware{}, stop.get_token());
    done.set();
    bridge.join();
    // Posted, not sent: the answer is a modal window, and a worker that waits
    // for it to close would hold up shutdown.
    if (notify && !context.stop.requested())
        (void)parts_.app.postMessage({shell::MessageId::updateWindowOpen, 0, 0});
}

}  // namespace quillon::update
