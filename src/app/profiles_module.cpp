#include "app/profiles_module.h"

namespace quillon::app {

using link::DeviceKind;

ProfilesModule::ProfilesModule(const platform::UserFolders& folders)
    : folders_(folders), store_{folders_, ini_} {}

void ProfilesModule::install(shell::Application& app) {
    app.addStartupStep(shell::StartupPhase::beforeLinks, [this, &skin = app.skin()] {
        for (DeviceKind kind : {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad}) {
            // A list that cannot be read or made was told to the user already.
            (void)profiles::startProfileLists(store_, skin, run_, kind);
        }
    });
}

}  // namespace quillon::app
