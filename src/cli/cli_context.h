#pragma once

#include <ostream>

#include "cli/message_texts.h"
#include "link/report_trace.h"
#include "platform/hid/hid_backend.h"
#include "platform/user_folders.h"

namespace quillon::cli {

// What every quillonctl command gets: the HID backend (real or emulated), the
// trace observer (or nullptr), the user's folders, the texts of the window's
// messages, and the streams.
struct Context {
    platform::HidBackend& backend;
    link::ReportTrace* trace;
    bool demo;
    const platform::UserFolders& users;
    const MessageTexts& texts;
    std::ostream& out;
    std::ostream& err;
};

// Exit codes of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitDevicesBusy = 3;  // the program owns the devices

}  // namespace quillon::cli
