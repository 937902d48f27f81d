#include "platform/pointer/desktop_tool.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace quillon::platform {

int SpawnedDesktopTool::run(const std::vector<std::string>& argv) {
    if (argv.empty())
        return kToolNotStarted;
    std::vector<std::string> words(argv);
    std::vector<char*> args;
    for (std::string& w : words)
        args.push_back(w.data());
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    if (::posix_spawn_file_actions_init(&actions) != 0)
        return kToolNotStarted;
    // The tools' chatter is theirs; the result is the exit status.
    ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return kToolNotStarted;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return kToolNotStarted;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : kToolNotStarted;
}

}  // namespace quillon::platform
