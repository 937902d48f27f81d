#include "cli/command_setup.h"

namespace quillon::cli {

CLI::App* CommandSetup::command(CLI::App* parent, const std::string& name,
                                const std::string& summary) {
    CLI::App* app = (parent ? parent : &root_)->add_subcommand(name, summary);
    app->fallthrough();  // --demo and --trace may also follow the command
    return app;
}

void CommandSetup::onRun(CLI::App* command, Action action, bool talksToDevices) {
    command->callback([this, action = std::move(action), talksToDevices] {
        action_ = action;
        talksToDevices_ = talksToDevices;
    });
}

CLI::Option* CommandSetup::choice(CLI::App* command, const std::string& name, std::string& into,
                                  std::vector<std::string> values, const std::string& description) {
    CLI::Option* option =
        command->add_option(name, into, description)->check(CLI::IsMember(values));
    hints_[option].choices = std::move(values);
    return option;
}

CLI::Option* CommandSetup::file(CLI::App* command, const std::string& name, std::string& into,
                                const std::string& description) {
    // CLI11 takes the next word as the value even when it is an option:
    // "--trace --demo" must not write a file named "--demo".
    CLI::Option* option = command->add_option(name, into, description)
                              ->type_name("FILE")
                              ->check(CLI::Validator(
                                  [name](std::string& value) -> std::string {
                                      if (value.empty() || value.front() != '-')
                                          return {};
                                      return name + " needs a file name, not '" + value +
                                             "' (write ./" + value + " for a file named so)";
                                  },
                                  ""));
    hints_[option].file = true;
    return option;
}

const OptionHint* CommandSetup::hint(const CLI::Option* option) const {
    const auto it = hints_.find(option);
    return it == hints_.end() ? nullptr : &it->second;
}

}  // namespace quillon::cli
