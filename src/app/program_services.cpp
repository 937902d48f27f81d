#include "app/program_services.h"

#include "keys/key_page_view.h"
#include "lighting/colour_tables.h"

namespace quillon::app {

namespace {

// The attached devices as the update service compares them.
update::AttachedFirmware attachedFirmware(const link::DeviceIdentity& identity) {
    return {identity.keyboardPresent.load(), identity.keyboardFirmwareVersion.load(),
            identity.mousePresent.load(), identity.mouseFirmwareVersion.load()};
}

}  // namespace

ProgramServices::ProgramServices(shell::Application& application, platform::HidBackend& backend,
                                 const platform::UserFolders& folders, DesktopServices desktop)
    : app_(application),
      profiles_(folders),
      lighting_(application, identity_,
                [this](link::DeviceKind kind) { return attach_.saveLightingProfile(kind); }),
      attach_(application, backend,
              {identity_, lighting_.engine().settings, profiles_.store(), profiles_.runState(),
               lighting_.engine().signals.mouseClickPulse,
               lighting_.engine().signals.mousepadClickPulse}),
      keyMaps_(attach_, lighting_.engine().settings),
      macros_(application, profiles_.store(), keyMaps_, std::move(desktop.inputHooks)),
      keys_(application, keyMaps_, identity_, macros_, macros_.capture()),
      mouseRecords_(attach_.stores(), lighting_.engine().settings),
      mouse_(application, {mouseRecords_, identity_,
                           desktop.pointer != nullptr ? *desktop.pointer : untouchedDesktop_,
                           [this] { return attach_.saveLightingProfile(link::DeviceKind::mouse); },
                           lighting::PresetColours}),
      desktopForeground_(desktop.foreground ? nullptr : platform::makeDesktopForegroundProgram()),
      linkWatchers_(application, profiles_.store(),
                    desktop.foreground ? *desktop.foreground : *desktopForeground_),
      profilePanel_(
          {application.skin(), profiles_.store(), identity_, application.events(), attach_},
          linkWatchers_),
      patternStore_(profiles_.store().folders, profiles_.store().ini),
      patterns_({application.skin(), patternStore_, application.link(link::DeviceKind::mouse),
                 application.deviceJobs(), application.loop()}),
      prefs_(application, folders, std::move(desktop.prefs)) {
    // The order of installation is the order in which start-up steps, message
    // handlers and event subscribers run.
    profiles_.install(app_);
    attach_.install();
    lighting_.install(app_);
    mouse_.install();
    // Before the key page view: the patterns read back are in their files
    // when the arrival selects the first pattern.
    patterns_.install(app_.notifications(), app_.events());
    keys::installKeyPageView(app_.events(), app_.skin());
    // Before key assignment: the macro lists are filled before its start-up step reads them.
    macros_.install([this](link::DeviceKind kind) { keys_.macrosChanged(kind); });
    keys_.install();
    linkWatchers_.install();
    profilePanel_.install(app_);
    update_ =
        update::install({app_, folders, [this] { return attachedFirmware(identity_); },
                         std::move(desktop.makeUpdateWindow),
                         [this] { return prefs_.preferences().languageValue(); },
                         [this](int row) { (void)prefs_.preferences().applyFromSettings(row); }});
    // Preferences: the skin image first at start-up, the language after the workers.
    prefs_.install(app_);
}

ProgramServices::~ProgramServices() {
    (void)stop();
}

shell::StopReport ProgramServices::stop() {
    if (!stopped_) {
        stopped_ = true;
        // No grab may outlive the window: the input hooks go first.
        macros_.capture().stopCapture();
        report_ = app_.shutdown();
    }
    return report_;
}

}  // namespace quillon::app
