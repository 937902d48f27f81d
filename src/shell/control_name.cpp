#include "shell/control_name.h"

namespace quillon::shell {

namespace {

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

SplitName splitControlName(std::string_view name) {
    const auto underscore = name.rfind('_');
    if (underscore == std::string_view::npos) {
        return {};
    }
    SplitName result{true, name.substr(0, underscore + 1), 0};
    const std::string_view rest = name.substr(underscore + 1);
    if (rest.empty()) {
        return result;
    }
    long long value = 0;
    for (char c : rest) {
        if (c < '0' || c > '9') {
            return result;  // not a number: index 0
        }
        // Saturate rather than wrap, so "_99999999999" never becomes a small index.
        value = value * 10 + (c - '0');
        if (value > kIndexTooLarge) {
            value = kIndexTooLarge;
        }
    }
    result.index = static_cast<int>(value);
    return result;
}

bool isNumberedName(std::string_view name) {
    const auto underscore = name.rfind('_');
    if (underscore == std::string_view::npos || underscore + 1 == name.size())
        return false;
    for (char c : name.substr(underscore + 1))
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace quillon::shell
