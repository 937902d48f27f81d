#include "cli/file_trace.h"

#include <array>
#include <cerrno>
#include <cstring>

namespace quillon::cli {

FileTrace::FileTrace(const std::string& path) : file_(std::fopen(path.c_str(), "w")) {}

FileTrace::~FileTrace() {
    if (file_)
        std::fclose(file_);
}

void FileTrace::line(char direction, std::span<const std::uint8_t> report) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::array<char, 2 + 64 * 2 + 1> text{};
    std::size_t n = 0;
    text[n++] = direction;
    text[n++] = ' ';
    for (std::size_t i = 0; i < 64; ++i) {
        const std::uint8_t b = i < report.size() ? report[i] : 0;
        text[n++] = kHex[b >> 4];
        text[n++] = kHex[b & 15];
    }
    text[n++] = '\n';
    std::lock_guard guard(mutex_);
    if (!file_ || firstError_ != 0)
        return;
    // Flushed per line so that a trace of a run that hangs still shows how far it got.
    if (std::fwrite(text.data(), 1, n, file_) != n || std::fflush(file_) != 0)
        firstError_ = errno != 0 ? errno : EIO;
}

bool FileTrace::finish(std::string& error) {
    std::lock_guard guard(mutex_);
    if (!file_) {
        error = "not open";
        return false;
    }
    errno = 0;
    const bool closed = std::fclose(file_) == 0;
    const int closeError = errno;
    file_ = nullptr;
    const int failure = firstError_ != 0 ? firstError_
                        : closed         ? 0
                                         : (closeError ? closeError : EIO);
    if (failure == 0)
        return true;
    error = std::strerror(failure);
    return false;
}

}  // namespace quillon::cli
