#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/regular_file.h"

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
    // Only a file in a named folder: an empty or bare name would land in
    // whatever folder the process happens to run in.
    if (!target.has_filename() || target.parent_path().empty())
        return FileWriteResult::cannotCreate;
    // The temporary file lies beside the target so that the rename stays on one
    // file system. Its name is short, so that any name that fits the folder also
    // fits its temporary file, and follows our own pattern, so that a killed
    // run's leftover can be told from every other file and removed later.
    std::string pattern = (target.parent_path() / kTempPrefix).string() + "XXXXXX";
    pattern += kTempSuffix;
    const int fd = ::mkostemps(pattern.data(), static_cast<int>(kTempSuffix.size()), O_CLOEXEC);
    if (fd < 0)
        return FileWriteResult::cannotCreate;
    const std::filesystem::path temp = pattern;
    // Held until the temporary name is gone: the clean-up leaves locked files alone.
    [[maybe_unused]] int locked = ::flock(fd, LOCK_EX | LOCK_NB);

    // Keep the permissions of the file being replaced; new files follow the umask.
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
    [[maybe_unused]] int chmodResult = ::fchmod(fd, mode);  // 0600 is a safe fallback
    if (!writeAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) {
        ::unlink(temp.c_str());
        ::close(fd);
        return FileWriteResult::writeFailed;
    }
    if (beforeRename && !beforeRename(temp)) {
        ::close(fd);
        return FileWriteResult::interrupted;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        ::close(fd);
        return FileWriteResult::renameFailed;
    }
    ::close(fd);  // data and metadata are synced already; close reports nothing new
    syncFolder(target.parent_path());
    return FileWriteResult::ok;
}

bool isTempFileName(std::string_view name) {
    constexpr std::size_t kRandom = 6;
    if (name.size() != kTempPrefix.size() + kRandom + kTempSuffix.size() ||
        !name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix))
        return false;
    for (char c : name.substr(kTempPrefix.size(), kRandom)) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum)
            return false;
    }
    return true;
}

std::size_t removeLeftoverTempFiles(const std::filesystem::path& folder) {
    std::size_t removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!isTempFileName(it->path().filename().string()))
            continue;
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
        if (fd < 0)
            continue;
        struct stat st {};
        // A write in progress holds its lock; only a dead writer's file is free.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(it->path().c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

bool readWholeFile(const std::filesystem::path& path, std::string& out) {
    return readRegularFile(path, out) == FileReadResult::ok;
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
