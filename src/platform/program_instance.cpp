#include "platform/program_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
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
    // The program's lock file is also flock()ed while it runs, and the kernel
    // drops that lock when the holder dies: unlike the process id written in
    // the file, it cannot be mistaken after a crash.
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

}  // namespace quillon::platform
