#include "cli/command_table.h"

#include <array>
#include <sstream>

#include "attach/status_cli.h"
#include "cli/device_commands.h"
#include "cli/module_commands.h"

namespace quillon::cli {
namespace {

constexpr std::array kCommands{
    CommandEntry{"devices", "devices", "list the supported HID interfaces present", listDevices},
    CommandEntry{"info", "info <keyboard|mouse|mousepad>", "print the device information record",
                 showInfo},
    CommandEntry{"keymap read", "keymap read <keyboard|mouse> [--slot N]",
                 "print the base key map, or the key map of slot N (0..4)", readKeymap},
    CommandEntry{"reset", "reset <mouse|mousepad>", "restore the factory settings", resetDevice},
    CommandEntry{"status", "status",
                 "what is attached: variant or model, firmware version, active slot",
                 attach::showStatus},
    CommandEntry{"profiles list", "profiles list",
                 "read the profile index files as the window does at start, list the five lists",
                 profilesList},
    CommandEntry{"profiles show", "profiles show <list> <name>",
                 "print a profile content file's header and record", profilesShow},
    CommandEntry{"effect render", "effect render --device KIND --mode M [options] --frames N",
                 "print the frames a lighting effect produces, one line of hex each", effectRender},
    CommandEntry{"effect play", "effect play --device keyboard --mode M [options] --frames N",
                 "stream an effect's frames to the keyboard at the lighting thread's pace",
                 effectPlay},
    CommandEntry{"update check", "update check [--url URL]",
                 "ask the update service for the newest software and firmware versions",
                 updateCheck},
};

// How many leading args match the command's words; 0 when they do not.
std::size_t matchWords(std::string_view words, Args args) {
    std::istringstream in{std::string(words)};
    std::string w;
    std::size_t n = 0;
    while (in >> w) {
        if (n >= args.size() || args[n] != w)
            return 0;
        ++n;
    }
    return n;
}

}  // namespace

std::span<const CommandEntry> commandTable() {
    return kCommands;
}

int runCommand(Context& ctx, Args args) {
    const CommandEntry* best = nullptr;
    std::size_t bestWords = 0;
    for (const CommandEntry& c : kCommands) {
        const std::size_t n = matchWords(c.words, args);
        if (n > bestWords) {
            best = &c;
            bestWords = n;
        }
    }
    if (!best) {
        ctx.err << "quillonctl: unknown command '" << (args.empty() ? "" : args[0])
                << "' (see --help)\n";
        return 2;
    }
    return best->run(ctx, args.subspan(bestWords));
}

}  // namespace quillon::cli
