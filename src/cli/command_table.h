#pragma once

#include <span>
#include <string_view>

#include "cli/cli_context.h"

namespace quillon::cli {

struct CommandEntry {
    // Words that select the command ("keymap read" is two).
    std::string_view words;
    std::string_view synopsis;
    std::string_view summary;
    int (*run)(Context&, Args);
};

std::span<const CommandEntry> commandTable();

// Finds the command whose words start `args` and runs it with the rest.
int runCommand(Context& ctx, Args args);

}  // namespace quillon::cli
