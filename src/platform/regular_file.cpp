#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quillon::platform {

FileReadResult readRegularFile(const std::filesystem::path& path, std::string& out,
                               std::size_t maxBytes) {
    if (path.empty())
        return FileReadResult::missing;
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return FileReadResult::missing;
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            return FileReadResult::notRegular;
        return FileReadResult::unreadable;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return FileReadResult::unreadable;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileReadResult::notRegular;
    }
    std::string data;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return FileReadResult::unreadable;
        }
        if (n == 0)
            break;
        if (static_cast<std::size_t>(n) > maxBytes - data.size()) {
            ::close(fd);
            return FileReadResult::tooLarge;
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    out = std::move(data);
    return FileReadResult::ok;
}

}  // namespace quillon::platform
