#pragma once

// Every command group of quillonctl; command_line.cpp adds them in this order.

#include "cli/command_setup.h"

namespace quillon::cli {

// devices, info, keymap read, reset
void addDeviceCommands(CommandSetup& setup);
// keymap show, keymap set (under the devices' keymap group)
void addKeymapCommands(CommandSetup& setup);
// status
void addStatusCommand(CommandSetup& setup);
// profiles list, show, add, select, delete, copy, reset, unlink, rename,
// import, export, link
void addProfilesCommands(CommandSetup& setup);
// effect render, effect play
void addEffectCommands(CommandSetup& setup);
// dpi show, dpi set
void addDpiCommands(CommandSetup& setup);
// slot show, slot set
void addSlotCommands(CommandSetup& setup);
// pattern show, import, export, write
void addPatternCommands(CommandSetup& setup);
// update check
void addUpdateCommands(CommandSetup& setup);
// macro list|show|add|delete|rename|import|export|image
void addMacroCommands(CommandSetup& setup);
// config show, config set language, config set autostart
void addConfigCommands(CommandSetup& setup);
// completion bash|zsh (hidden): walks the tree the other groups built, so it comes last
void addCompletionCommand(CommandSetup& setup);

}  // namespace quillon::cli
