// `quillonctl update check [--url URL]`: asks the update service what the
// start-up check asks — the software, and each attached device that has an
// update product — and prints installed, newest and whether an update exists.

#include <string>

#include "attach/status_cli.h"
#include "cli/module_commands.h"
#include "platform/desktop_proxy_resolver.h"
#include "platform/user_folders.h"
#include "update/installed_version.h"
#include "update/startup_check.h"
#include "update/update_config.h"

namespace quillon::cli {

int updateCheck(Context& ctx, Args args) {
    std::optional<std::string> url;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--url" && i + 1 < args.size()) {
            url = args[++i];
        } else {
            ctx.err << "usage: quillonctl update check [--url URL]\n";
            return 2;
        }
    }
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
    return 0;
}

}  // namespace quillon::cli
