#include "profiles/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <vector>

#include "platform/debug_output.h"

namespace quillon::profiles {
namespace {

// Largest record of any list; content files are never bigger than this.
constexpr std::size_t kLargestFile = kProfileHeaderSize + 1958;

// Reads up to `size` bytes; returns the count read, or -1 on error.
ssize_t readUpTo(int fd, std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

}  // namespace

ProfileReadResult parseProfileFile(std::span<const std::uint8_t> file,
                                   std::span<std::uint8_t> record) {
    // A file too short to hold the magic cannot be ours.
    if (file.size() < 2 || (file[0] | file[1] << 8) != kProfileMagic)
        return ProfileReadResult::foreign;
    if (file.size() > kProfileHeaderSize) {
        const auto body = file.subspan(kProfileHeaderSize);
        std::copy_n(body.begin(), std::min(body.size(), record.size()), record.begin());
    }
    return ProfileReadResult::ok;
}

ProfileReadResult readProfileFile(const std::filesystem::path& path,
                                  std::span<std::uint8_t> record) {
    // Non-blocking so that a FIFO in place of a profile cannot hang the caller.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return ProfileReadResult::missing;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ProfileReadResult::missing;
    }
    std::array<std::uint8_t, kLargestFile> stackBuffer;
    std::vector<std::uint8_t> bigBuffer;
    std::uint8_t* buffer = stackBuffer.data();
    const std::size_t want = kProfileHeaderSize + record.size();
    if (want > stackBuffer.size()) {
        bigBuffer.resize(want);
        buffer = bigBuffer.data();
    }
    const ssize_t got = readUpTo(fd, buffer, want);
    ::close(fd);
    // A folder or an unreadable file cannot be opened for reading as a profile.
    if (got < 0)
        return ProfileReadResult::missing;
    return parseProfileFile({buffer, static_cast<std::size_t>(got)}, record);
}

std::size_t encodeProfileFile(std::span<const std::uint8_t> record, std::uint16_t deviceKindCode,
                              std::span<std::uint8_t> out) {
    const auto header = ProfileFileHeader::make(deviceKindCode);
    const std::size_t size = kProfileHeaderSize + record.size();
    if (out.size() < size)
        return 0;
    std::copy(header.bytes.begin(), header.bytes.end(), out.begin());
    std::copy(record.begin(), record.end(), out.begin() + kProfileHeaderSize);
    return size;
}

platform::FileWriteResult writeProfileFile(const std::filesystem::path& path,
                                           std::span<const std::uint8_t> record,
                                           std::uint16_t deviceKindCode,
                                           platform::PathLocks& locks) {
    std::array<std::uint8_t, kLargestFile> stackBuffer;
    std::vector<std::uint8_t> bigBuffer;
    std::span<std::uint8_t> out(stackBuffer);
    if (kProfileHeaderSize + record.size() > stackBuffer.size()) {
        bigBuffer.resize(kProfileHeaderSize + record.size());
        out = bigBuffer;
    }
    const std::size_t size = encodeProfileFile(record, deviceKindCode, out);
    platform::FileWriteResult result;
    {
        std::lock_guard guard(locks.lockFor(path));
        result = platform::writeFileAtomically(path, out.first(size));
    }
    if (result == platform::FileWriteResult::cannotCreate)
        platform::debugOutput("文件打开失败");
    else if (!platform::succeeded(result))
        platform::debugOutput("文件写入失败");
    return result;
}

}  // namespace quillon::profiles
