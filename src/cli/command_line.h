#pragma once

// quillonctl's command line: the options every command takes (--demo,
// --trace FILE), the command tree of every group, and the exit codes:
// 0 done, 1 failed (the reason on err), 2 usage error, 3 the program owns the
// devices.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/hid/hid_backend.h"
#include "platform/user_folders.h"

namespace quillon::cli {

// What the process gives a run.
struct Environment {
    std::ostream& out;
    std::ostream& err;
    const platform::UserFolders& users;
    // The devices to talk to: the emulated ones for --demo, else the system's.
    std::function<platform::HidBackend&(bool demo)> backend;
    // Whether the window program runs, and so owns the devices.
    std::function<bool()> programRunning;
};

// Runs the command the words (without the program name) give; returns the exit code.
int runCommandLine(const std::vector<std::string>& words, const Environment& env);

}  // namespace quillon::cli
