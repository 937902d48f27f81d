#pragma once

// How a command group joins quillonctl: each group has one add function that
// adds its commands to the CLI11 tree with a CommandSetup. A command records
// the action to run once the whole line has parsed, and whether that action
// talks to the devices (refused while the program owns them).
//
// To add a group: write cli/<group>_commands.cpp with
//   void addGroupCommands(CommandSetup& setup);
// declare it in cli/command_groups.h and call it in command_line.cpp.

#include <CLI/CLI.hpp>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace quillon::cli {

using Action = std::function<int(Context&)>;

// What completion needs to know about an option beyond CLI11's own records.
struct OptionHint {
    std::vector<std::string> choices;  // the values it takes, when they are a fixed set
    bool file = false;                 // it takes a file name
};

class CommandSetup {
  public:
    explicit CommandSetup(CLI::App& root) : root_(root) {}

    CLI::App& root() { return root_; }

    // A command (or a group of commands, under `parent`).
    CLI::App* command(CLI::App* parent, const std::string& name, const std::string& summary);

    // What `command` does when it is the one given.
    void onRun(CLI::App* command, Action action, bool talksToDevices);

    // An option or positional argument taking one of `values`.
    CLI::Option* choice(CLI::App* command, const std::string& name, std::string& into,
                        std::vector<std::string> values, const std::string& description);
    // An option or positional argument naming a file.
    CLI::Option* file(CLI::App* command, const std::string& name, std::string& into,
                      const std::string& description);

    const OptionHint* hint(const CLI::Option* option) const;

    // After parsing: the chosen action (empty when none was chosen).
    const Action& action() const { return action_; }
    bool talksToDevices() const { return talksToDevices_; }

  private:
    CLI::App& root_;
    Action action_;
    bool talksToDevices_ = false;
    std::map<const CLI::Option*, OptionHint> hints_;
};

}  // namespace quillon::cli
