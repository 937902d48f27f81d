// completion bash|zsh (hidden): the shell completion script, for packaging.

#include <memory>

#include "cli/command_groups.h"
#include "cli/completion_script.h"

namespace quillon::cli {

void addCompletionCommand(CommandSetup& setup) {
    auto shell = std::make_shared<std::string>();
    CLI::App* completion = setup.command(nullptr, "completion", "print a shell completion script");
    completion->group("");  // for packaging, not offered in --help
    setup.choice(completion, "shell", *shell, {"bash", "zsh"}, "the shell")->required();
    setup.onRun(
        completion,
        [shell, &setup](Context& ctx) {
            ctx.out << completionScript(*shell == "zsh" ? Shell::zsh : Shell::bash, setup);
            return kExitOk;
        },
        false);
}

}  // namespace quillon::cli
