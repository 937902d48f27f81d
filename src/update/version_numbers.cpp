#include "update/version_numbers.h"

#include <cstdio>

#include "profiles/ini_file.h"

namespace quillon::update {

int dottedNumber(std::string_view text) {
    std::string digits;
    digits.reserve(text.size());
    for (char c : text) {
        if (c != '.')
            digits.push_back(c);
    }
    return profiles::leadingDecimal(digits);
}

int leadingNumber(std::string_view text) {
    return profiles::leadingDecimal(text);
}

namespace {

std::string hexDigits(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(value));
    return text;
}

// Dots before the characters at `first` and then (in the longer text) at
// `first + 2`, each only when a character stands there.
std::string withDots(std::string text, std::size_t first) {
    for (std::size_t at : {first, first + 2}) {
        if (at < text.size())
            text.insert(at, 1, '.');
    }
    return text;
}

}  // namespace

int firmwareNumber(std::uint16_t hidVersion) {
    return leadingNumber(hexDigits(hidVersion));
}

std::string firmwareVersionText(std::uint16_t hidVersion) {
    return withDots(hexDigits(hidVersion), 1);
}

std::string versionLabel(std::string_view digits) {
    return withDots("V" + std::string(digits), 2);
}

}  // namespace quillon::update
