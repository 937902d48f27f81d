#include "app/program_services.h"

#include "keys/key_page_view.h"

namespace quillon::app {

namespace {

// The attached devices as the update service compares them.
update::AttachedFirmware attachedFirmware(const link::DeviceIdentity& identity) {
    return {identity.keyboardPresent.load(), identity.keyboardFirmwareVersion.load(),
            identity.mousePresent.load(), identity.mouseFirmwareVersion.load()};
}

}  // namespace

ProgramServices::ProgramServices(shell::Application& application, platform::HidBackend& backend,
                                 const platform::UserFolders& folders, FrontEnd frontEnd)
    : app_(application),
      profiles_(folders),
      lighting_(application, identity_,
                [this](link::DeviceKind kind) { return attach_.saveLightingProfile(kind); }),
      attach_(application, backend,
              {identity_, lighting_.engine().settings, profiles_.store(), profiles_.runState(),
               lighting_.engine().signals.mouseClickPulse,
               lighting_.engine().signals.mousepadClickPulse}) {
    // The order of installation is the order in which start-up steps, message
    // handlers and event subscribers run.
    profiles_.install(app_);
    attach_.install();
    lighting_.install(app_);
    keys::installKeyPageView(app_.events(), app_.skin());
    update_ =
        update::install({app_, folders, [this] { return attachedFirmware(identity_); },
                         std::move(frontEnd.makeUpdateWindow), std::move(frontEnd.languageSetting),
                         std::move(frontEnd.selectLanguage)});
}

ProgramServices::~ProgramServices() {
    (void)stop();
}

shell::StopReport ProgramServices::stop() {
    if (!stopped_) {
        stopped_ = true;
        report_ = app_.shutdown();
    }
    return report_;
}

}  // namespace quillon::app
