#include "lighting/custom_set_text.h"

namespace quillon::lighting {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<CustomSet> parseCustomSet(std::string_view content) {
    CustomSet set{};
    if (content.size() == set.size()) {
        for (std::size_t i = 0; i < set.size(); ++i)
            set[i] = static_cast<std::uint8_t>(content[i]);
        return set;
    }
    std::size_t n = 0;
    int high = -1;
    for (char c : content) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t')
            continue;
        const int d = hexDigit(c);
        if (d < 0 || n >= set.size())
            return std::nullopt;
        if (high < 0) {
            high = d;
        } else {
            set[n++] = static_cast<std::uint8_t>(high << 4 | d);
            high = -1;
        }
    }
    if (n != set.size() || high >= 0)
        return std::nullopt;
    return set;
}

}  // namespace quillon::lighting
