#include "keys/macro.h"

namespace quillon::keys {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

}  // namespace

bool sameMacroName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

int findMacroName(std::span<const std::string> names, std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sameMacroName(names[i], name))
            return int(i);
    }
    return -1;
}

std::string nextMacroName(std::span<const std::string> names) {
    for (std::size_t n = names.size() + 1;; ++n) {
        std::string name = std::string(kMacroNamePrefix) + std::to_string(n);
        if (findMacroName(names, name) < 0)
            return name;
    }
}

}  // namespace quillon::keys
