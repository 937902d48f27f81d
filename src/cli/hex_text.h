#pragma once

// Hex forms of bytes and ids, as every command prints them.

#include <cstdint>
#include <span>
#include <string>

namespace quillon::cli {

// "0a 1b ff": lower case, one blank between bytes.
std::string hexBytes(std::span<const std::uint8_t> bytes);
// "0a1bff": lower case, no blanks.
std::string hexRun(std::span<const std::uint8_t> bytes);
// "0c45": four lower-case digits.
std::string hex4(unsigned value);

}  // namespace quillon::cli
