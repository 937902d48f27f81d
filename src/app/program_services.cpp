#include "app/program_services.h"

#include "keys/key_page_view.h"

namespace quillon::app {

ProgramServices::ProgramServices(shell::Application& application, platform::HidBackend& backend,
                                 const platform::UserFolders& folders,
                                 prefs::PrefsFrontEnd prefsFrontEnd)
    : app_(application),
      profiles_(folders),
      lighting_(application, identity_,
                [this](link::DeviceKind kind) { return attach_.saveLightingProfile(kind); }),
      attach_(application, backend,
              {identity_, lighting_.engine().settings, profiles_.store(), profiles_.runState(),
               lighting_.engine().signals.mouseClickPulse,
               lighting_.engine().signals.mousepadClickPulse}),
      prefs_(application, folders, std::move(prefsFrontEnd)) {
    // The order of installation is the order in which start-up steps, message
    // handlers and event subscribers run.
    profiles_.install(app_);
    attach_.install();
    lighting_.install(app_);
    keys::installKeyPageView(app_.events(), app_.skin());
    // Preferences: the skin image first at start-up, the language after the workers.
    prefs_.install(app_);
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
