#pragma once

// Every command group of quillonctl; command_line.cpp adds them in this order.

#include "cli/command_setup.h"

namespace quillon::cli {

// devices, info, keymap read, reset
void addDeviceCommands(CommandSetup& setup);
// status
void addStatusCommand(CommandSetup& setup);
// profiles list, profiles show
void addProfilesCommands(CommandSetup& setup);
// effect render, effect play
void addEffectCommands(CommandSetup& setup);
// update check
void addUpdateCommands(CommandSetup& setup);
// config show, config set language, config set autostart
void addConfigCommands(CommandSetup& setup);
// completion bash|zsh (hidden): walks the tree the other groups built, so it comes last
void addCompletionCommand(CommandSetup& setup);

}  // namespace quillon::cli
