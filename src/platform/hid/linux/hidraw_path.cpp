#include "platform/hid/linux/hidraw_path.h"

#include <cctype>
#include <cstdio>

namespace quillon::platform {
namespace {

constexpr std::string_view kDevPrefix = "/dev/";
constexpr std::string_view kHidraw = "hidraw";

bool consumeMarker(std::string_view& text, std::string_view marker) {
    if (text.size() < marker.size())
        return false;
    for (std::size_t i = 0; i < marker.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != marker[i])
            return false;
    }
    text.remove_prefix(marker.size());
    return true;
}

// Exactly `digits` hexadecimal digits.
std::optional<std::uint32_t> consumeHex(std::string_view& text, std::size_t digits) {
    if (text.size() < digits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const int c = std::tolower(static_cast<unsigned char>(text[i]));
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else
            return std::nullopt;
        value = value * 16 + std::uint32_t(v);
    }
    text.remove_prefix(digits);
    return value;
}

}  // namespace

std::optional<unsigned> hidrawNumber(std::string_view name) {
    if (name.starts_with(kDevPrefix))
        name.remove_prefix(kDevPrefix.size());
    if (!name.starts_with(kHidraw))
        return std::nullopt;
    name.remove_prefix(kHidraw.size());
    // Nine digits at most: minor numbers are far smaller, and it cannot overflow.
    if (name.empty() || name.size() > 9)
        return std::nullopt;
    unsigned n = 0;
    for (char c : name) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + unsigned(c - '0');
    }
    return n;
}

std::string formatHidrawPath(const HidrawPath& path) {
    char ids[48];
    int len = std::snprintf(ids, sizeof ids, "#vid_%04x&pid_%04x", path.vendorId, path.productId);
    if (path.interfaceNumber)
        len += std::snprintf(ids + len, sizeof ids - std::size_t(len), "&mi_%02x",
                             unsigned(*path.interfaceNumber));
    if (path.collection != 0)
        len += std::snprintf(ids + len, sizeof ids - std::size_t(len), "&col%02x",
                             unsigned(path.collection));
    std::string out = path.node;
    out.append(ids, std::size_t(len));
    out += '#';
    return out;
}

std::optional<HidrawPath> parseHidrawPath(std::string_view text) {
    const std::size_t hash = text.find('#');
    if (hash == std::string_view::npos)
        return std::nullopt;
    HidrawPath path;
    const std::string_view node = text.substr(0, hash);
    if (!node.starts_with(kDevPrefix) || !hidrawNumber(node))
        return std::nullopt;
    path.node = std::string(node);
    text.remove_prefix(hash + 1);

    if (!consumeMarker(text, "vid_"))
        return std::nullopt;
    const auto vid = consumeHex(text, 4);
    if (!vid || !consumeMarker(text, "&pid_"))
        return std::nullopt;
    const auto pid = consumeHex(text, 4);
    if (!pid)
        return std::nullopt;
    path.vendorId = std::uint16_t(*vid);
    path.productId = std::uint16_t(*pid);
    if (consumeMarker(text, "&mi_")) {
        const auto mi = consumeHex(text, 2);
        if (!mi)
            return std::nullopt;
        path.interfaceNumber = std::uint8_t(*mi);
    }
    if (consumeMarker(text, "&col")) {
        const auto col = consumeHex(text, 2);
        if (!col || *col == 0)
            return std::nullopt;
        path.collection = std::uint8_t(*col);
    }
    if (text != "#")
        return std::nullopt;
    return path;
}

}  // namespace quillon::platform
