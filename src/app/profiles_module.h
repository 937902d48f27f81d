#pragma once

// The profile feature as the program runs it: the profile folders, the INI
// index files and the first-run state; its start-up step reads or makes the
// index files of the three kinds. It lives in app/ rather than profiles/
// because installing needs the shell, which sits on the profile code's own
// layer.

#include "platform/user_folders.h"
#include "profiles/ini_file.h"
#include "profiles/profile_content.h"
#include "profiles/profile_folders.h"
#include "profiles/profile_startup.h"
#include "shell/application.h"

namespace quillon::app {

class ProfilesModule {
  public:
    explicit ProfilesModule(const platform::UserFolders& folders);
    ProfilesModule(const ProfilesModule&) = delete;
    ProfilesModule& operator=(const ProfilesModule&) = delete;

    // Once, before "windowinit".
    void install(shell::Application& app);

    const profiles::ProfileStore& store() const { return store_; }
    profiles::ProfileRunState& runState() { return run_; }

  private:
    profiles::ProfileFolders folders_;
    profiles::IniStore ini_;
    profiles::ProfileStore store_;
    profiles::ProfileRunState run_;
};

}  // namespace quillon::app
