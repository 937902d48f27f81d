#pragma once

// Names typed by the user become file names in the user's folders. They must
// stay plain names: never a path that leaves the folder, never a name the file
// system or the index file cannot hold.

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace quillon::profiles {

inline constexpr std::size_t kMaxPlainNameCharacters = 100;
// What one name in a folder may hold on Linux file systems, in bytes.
inline constexpr std::size_t kMaxFileNameBytes = 255;
// ".led", ".pro": the longest extension a profile name gets.
inline constexpr std::size_t kProfileExtensionBytes = 4;

// No \ / : * ? " < > |, no control characters, not "." or "..", no leading or
// trailing blank or dot, 1..100 characters of valid UTF-8, and short enough in
// bytes that the name with `suffixBytes` more (its extension) is still a file
// name. (Temporary files have short names of their own, so they add nothing.)
bool isPlainFileName(std::string_view name, std::size_t suffixBytes = kProfileExtensionBytes);

// The file `name` in `folder`, matched without regard to (ASCII) case as the
// program's file names always were: an exact match first, else the first entry
// whose name differs only in case, else folder / name as given.
std::filesystem::path findNoCase(const std::filesystem::path& folder, std::string_view name);

}  // namespace quillon::profiles
