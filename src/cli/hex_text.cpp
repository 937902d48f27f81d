#include "cli/hex_text.h"

namespace quillon::cli {
namespace {

constexpr char kDigits[] = "0123456789abcdef";

}  // namespace

std::string hexBytes(std::span<const std::uint8_t> bytes) {
    std::string s;
    s.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i)
            s += ' ';
        s += kDigits[bytes[i] >> 4];
        s += kDigits[bytes[i] & 15];
    }
    return s;
}

std::string hexRun(std::span<const std::uint8_t> bytes) {
    std::string s;
    s.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        s += kDigits[b >> 4];
        s += kDigits[b & 15];
    }
    return s;
}

std::string hex4(unsigned value) {
    std::string s(4, '0');
    for (int i = 3; i >= 0; --i, value >>= 4)
        s[static_cast<std::size_t>(i)] = kDigits[value & 15];
    return s;
}

}  // namespace quillon::cli
