#pragma once

// Shell completion for quillonctl, made by walking the CLI11 command tree:
// commands, their options, and the values of options and arguments where
// they are a fixed set (or a file name).

#include <string>

#include "cli/command_setup.h"

namespace quillon::cli {

enum class Shell { bash, zsh };

std::string completionScript(Shell shell, CommandSetup& setup);

}  // namespace quillon::cli
