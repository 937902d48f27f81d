// `quillonctl update check [--url URL]`: asks the update service what the
// start-up check asks — the software, and each attached device that has an
// update product — and prints installed, newest and whether an update exists.

#include <memory>
#include <string>

#include "attach/device_status.h"
#include "cli/command_groups.h"
#include "platform/desktop_proxy_resolver.h"
#include "platform/user_folders.h"
#include "update/installed_version.h"
#include "update/startup_check.h"
#include "update/update_config.h"

namespace quillon::cli {

namespace {

int updateCheck(Context& ctx, const std::optional<std::string>& url) {
    const platform::LinuxUserFolders folders;
    std::vector<std::filesystem::path> configFolders{folders.programOverlayFolder()};
    for (const auto& folder : folders.programDataFolders())
        configFolders.push_back(folder);
    update::UpdateConfig config = update::readUpdateConfig(configFolders);
    if (url)
        config.serviceUrl = *url;
    if (config.serviceUrl.empty())
        ctx.err << "no update service configured (update.ini or --url): newest versions are "
                   "unknown\n";

    update::AttachedFirmware devices;
    const auto keyboard = attach::queryStatus(ctx.backend, link::DeviceKind::keyboard, ctx.trace);
    if (keyboard.attached) {
        devices.keyboardPresent = keyboard.presentCode;
        devices.keyboardFirmwareVersion = keyboard.firmwareVersion;
    }
    const auto mouse = attach::queryStatus(ctx.backend, link::DeviceKind::mouse, ctx.trace);
    if (mouse.attached) {
        devices.mousePresent = mouse.presentCode;
        devices.mouseFirmwareVersion = mouse.firmwareVersion;
    }

    platform::DesktopProxyResolver desktop;
    const update::UpdateService service(config,
                                        update::httpServiceExchange(config.manualProxy, &desktop));
    for (const auto& line :
         update::checkVersions(service, update::kInstalledSoftwareVersion, devices)) {
        const auto& entry = update::productEntry(line.product);
        ctx.out << entry.productCode << " (" << entry.commandType << ")  installed "
                << line.installed << "  newest " << line.newest << "  update "
                << (line.newer ? "yes" : "no") << "\n";
    }
    return kExitOk;
}

}  // namespace

void addUpdateCommands(CommandSetup& setup) {
    CLI::App* group = setup.command(nullptr, "update", "the update service");
    CLI::App* check = setup.command(
        group, "check", "installed and newest versions of the software and the attached devices");
    auto url = std::make_shared<std::string>();
    check->add_option("--url", *url, "the update service's address (else update.ini's)");
    setup.onRun(
        check,
        [url](Context& ctx) {
            return updateCheck(ctx, url->empty() ? std::nullopt : std::optional<std::string>(*url));
        },
        true);
}

}  // namespace quillon::cli
