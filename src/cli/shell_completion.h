#pragma once

// `quillonctl completion bash|zsh`: a completion script built from the command
// table, so that installed completions never drift from the commands.

#include <ostream>
#include <span>

#include "cli/cli_context.h"
#include "cli/command_table.h"

namespace quillon::cli {

// Writes the script for the shell named in args[0]; 2 with a message on err
// for an unknown or missing shell.
int printCompletion(std::span<const CommandEntry> commands, Args args, std::ostream& out,
                    std::ostream& err);

}  // namespace quillon::cli
