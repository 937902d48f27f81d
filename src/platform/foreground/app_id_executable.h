#pragma once

// Wayland compositors name a window's program by its app_id, not by a
// process. The executable a user would link for an app_id, in this order:
//  1. the program of the desktop entry "<app_id>.desktop" (its Exec line's
//     first word, past an "env VAR=value" prefix), looked up on PATH when it
//     is no full path;
//  2. the app_id itself looked up on PATH;
//  3. a running process of this user whose executable's name is the app_id.
// The result is a canonical full path, as /proc/PID/exe gives under X11, so a
// linked full path compares the same on both.

#include <string>
#include <string_view>
#include <vector>

namespace quillon::platform {

// Where the lookup searches; fromEnvironment() reads the XDG variables, PATH
// and /proc as a session has them.
struct AppIdSearch {
    std::vector<std::string> applicationFolders;  // ".../applications", first wins
    std::string path;                             // PATH-style list
    std::string procFolder = "/proc";

    static AppIdSearch fromEnvironment();
};

// The program (first word) of the Exec key of the "[Desktop Entry]" group of
// a desktop entry's text, with the entry's escapes and Exec quoting undone;
// empty when there is none or the quoting is broken.
std::string desktopEntryProgram(std::string_view entry);

// `name` looked up in a PATH-style list; a name with a slash is taken as is.
// Empty unless a regular executable file is found.
std::string findOnPath(std::string_view name, std::string_view path);

// The executable for `appId`; empty when none is found or the app_id could
// name a file outside the folders searched.
std::string appIdExecutable(std::string_view appId, const AppIdSearch& search);

}  // namespace quillon::platform
