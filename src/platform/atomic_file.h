#pragma once

// Replacing a file so that a reader, or the file after a crash, sees either the
// whole old content or the whole new one: write a temporary file beside it,
// fsync it, rename it over the target, fsync the folder.
// Writers of one path are serialised through PathLocks, so a read-modify-write
// (an INI key update) never loses another thread's update.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillon::platform {

enum class [[nodiscard]] FileWriteResult{
    ok,
    cannotCreate,  // the temporary file could not be created (folder missing, no permission)
    writeFailed,   // writing or flushing the data failed (disk full, I/O error)
    renameFailed,  // the new content could not replace the old file
    interrupted,   // the test hook stopped the write before the rename
};

constexpr bool succeeded(FileWriteResult r) {
    return r == FileWriteResult::ok;
}

// Called after the temporary file is complete and synced, just before the rename.
// Returning false abandons the write there, as a crash would (tests only).
using BeforeRenameHook = std::function<bool(const std::filesystem::path& tempFile)>;

FileWriteResult writeFileAtomically(const std::filesystem::path& target,
                                    std::span<const std::uint8_t> bytes,
                                    const BeforeRenameHook& beforeRename = {});

// Reads a whole regular file (see readRegularFile). False when it cannot.
bool readWholeFile(const std::filesystem::path& path, std::string& out);

// Temporary files are named kTempPrefix + six random characters + kTempSuffix.
inline constexpr std::string_view kTempPrefix = ".quillon-";
inline constexpr std::string_view kTempSuffix = ".tmp";
bool isTempFileName(std::string_view name);

// Removes the temporary files that killed writes left in `folder`: only names
// of our pattern, only regular files of this user, never one whose write is
// still going on. Returns how many were removed.
std::size_t removeLeftoverTempFiles(const std::filesystem::path& folder);

// One mutex per file path, created on first use. Owned by the application (no
// process-wide table); every writer of the same files must share one instance.
// Paths are compared as given after lexical normalisation; callers build them the
// same way (folder + name), so one file has one key.
class PathLocks {
  public:
    std::mutex& lockFor(const std::filesystem::path& path);

  private:
    std::mutex tableLock_;
    std::unordered_map<std::string, std::unique_ptr<std::mutex>> locks_;
};

}  // namespace quillon::platform
