#include "platform/program_instance.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <system_error>

namespace quillon::platform {

std::filesystem::path programLockFile(const EnvironmentLookup& environment) {
    constexpr const char* kName = "quillon-gaming.lock";
    if (const auto runtime = environment("XDG_RUNTIME_DIR"); runtime && !runtime->empty()) {
        std::error_code ec;
        if (std::filesystem::is_directory(*runtime, ec))
            return std::filesystem::path(*runtime) / kName;
    }
    const auto tmp = environment("TMPDIR");
    const std::filesystem::path base = tmp && !tmp->empty() ? *tmp : "/tmp";
    return base / ("quillon-" + std::to_string(getuid())) / kName;
}

bool lockFileHeld(const std::filesystem::path& lockFile) {
    // Non-blocking: a FIFO planted under the lock's name must not stall us.
    const int fd = ::open(lockFile.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != getuid()) {
        ::close(fd);
        return false;  // not a lock our program made
    }
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held;
    }
    // Not locked: a holder that does not lock the file is known by its process id.
    char text[32] = {};
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (n <= 0)
        return false;
    long pid = 0;
    const auto [end, ec] = std::from_chars(text, text + n, pid);
    if (ec != std::errc() || pid <= 0 || (end != text + n && *end != '\n'))
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace quillon::platform
