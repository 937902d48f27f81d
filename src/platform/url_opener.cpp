#include "platform/url_opener.h"

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <thread>

extern char** environ;

namespace quillon::platform {

bool XdgUrlOpener::open(std::string_view url) {
    // Only web addresses: anything else could make xdg-open run a local file.
    if (!url.starts_with("https://") && !url.starts_with("http://"))
        return false;
    std::string program = "xdg-open";
    std::string address(url);
    char* argv[] = {program.data(), address.data(), nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0)
        return false;
    // xdg-open returns once the browser has the address; reap it off this thread.
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
    return true;
}

}  // namespace quillon::platform
