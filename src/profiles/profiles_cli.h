#pragma once

// The profile commands of quillonctl:
//   profiles list                  read the index files as the window does at
//                                  start (first run included) and list the five
//                                  lists with their rows and the selected row
//   profiles show <list> <name>    a content file's header and record, readably
// <list> is one of kb-lighting, kb-keys, ms-lighting, ms-keys, mp-lighting.
// Messages the window would show are printed as their text keys on err.
// Both return the process exit code: 0 done, 1 failed, 2 bad arguments.

#include <ostream>
#include <span>
#include <string>

#include "platform/user_folders.h"

namespace quillon::profiles {

int profilesList(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int profilesShow(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// The same over given folders (tests).
int profilesList(const platform::UserFolders& folders, std::span<const std::string> args,
                 std::ostream& out, std::ostream& err);
int profilesShow(const platform::UserFolders& folders, std::span<const std::string> args,
                 std::ostream& out, std::ostream& err);

}  // namespace quillon::profiles
