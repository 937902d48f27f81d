#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace quillon::platform {
namespace {

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // The rename is already visible; a failed folder sync only weakens durability.
    [[maybe_unused]] int rc = ::fsync(fd);
    ::close(fd);
}

// Permissions for a new file: what open(..., 0666) would give under the umask.
// The umask is read from /proc so that no thread has to change it to learn it.
mode_t newFileMode() {
    mode_t mask = 022;
    if (FILE* f = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, f)) {
            unsigned value = 0;
            if (std::sscanf(line, "Umask: %o", &value) == 1) {
                mask = static_cast<mode_t>(value);
                break;
            }
        }
        std::fclose(f);
    }
    return 0666 & ~mask;
}

}  // namespace

FileWriteResult writeFileAtomically(const std::filesystem::path& target,
                                    std::span<const std::uint8_t> bytes,
                                    const BeforeRenameHook& beforeRename) {
    // The temporary file lies beside the target so that the rename stays on one
    // file system; the leading dot keeps it out of listings if a crash leaves it.
    std::string pattern = target.parent_path().string();
    if (!pattern.empty() && pattern.back() != '/')
        pattern += '/';
    pattern += "." + target.filename().string() + ".XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return FileWriteResult::cannotCreate;
    const std::filesystem::path temp = pattern;

    // Keep the permissions of the file being replaced; new files follow the umask.
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
    [[maybe_unused]] int chmodResult = ::fchmod(fd, mode);  // 0600 is a safe fallback
    const bool written = writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temp.c_str());
        return FileWriteResult::writeFailed;
    }
    if (beforeRename && !beforeRename(temp))
        return FileWriteResult::interrupted;
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return FileWriteResult::renameFailed;
    }
    syncFolder(target.parent_path());
    return FileWriteResult::ok;
}

bool readWholeFile(const std::filesystem::path& path, std::string& out) {
    // Non-blocking so that a FIFO in place of the file cannot hang the caller.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    out.clear();
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

std::mutex& PathLocks::lockFor(const std::filesystem::path& path) {
    const std::string key = path.lexically_normal().string();
    std::lock_guard guard(tableLock_);
    auto& slot = locks_[key];
    if (!slot)
        slot = std::make_unique<std::mutex>();
    return *slot;
}

}  // namespace quillon::platform
