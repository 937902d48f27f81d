#pragma once

// Reading a file the program only reads (index, language, skin, user-dirs):
// opened non-blocking and taken only when it is a regular file, so a FIFO or a
// device node in its place can never hang the program; a size limit keeps a
// huge file from being loaded whole.

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>

namespace quillon::platform {

enum class [[nodiscard]] FileReadResult{
    ok,
    missing,     // no such file (or a folder on the way is missing)
    notRegular,  // a folder, FIFO, device or socket in the file's place
    unreadable,  // there, but opening or reading it failed (permissions, I/O error)
    tooLarge,    // longer than the caller's limit
};

// Reads the whole file into `out` (left unchanged unless ok).
FileReadResult readRegularFile(const std::filesystem::path& path, std::string& out,
                               std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

}  // namespace quillon::platform
