#include <cctype>

#include "link/hid_device.h"

namespace quillon::link {
namespace {

// Position just past the first case-insensitive occurrence of `marker`, or npos.
std::size_t findMarker(std::string_view path, std::string_view marker) {
    if (marker.size() > path.size())
        return std::string_view::npos;
    for (std::size_t i = 0; i + marker.size() <= path.size(); ++i) {
        bool match = true;
        for (std::size_t j = 0; j < marker.size() && match; ++j)
            match = std::tolower(static_cast<unsigned char>(path[i + j])) == marker[j];
        if (match)
            return i + marker.size();
    }
    return std::string_view::npos;
}

std::uint32_t hexAfter(std::string_view path, std::string_view marker) {
    std::size_t pos = findMarker(path, marker);
    if (pos == std::string_view::npos)
        return 0;
    std::uint32_t value = 0;
    // Eight digits at most: anything longer is not an id and must not overflow.
    for (int digits = 0; pos < path.size() && digits < 8; ++pos, ++digits) {
        const int c = std::tolower(static_cast<unsigned char>(path[pos]));
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else
            break;
        value = value * 16 + std::uint32_t(v);
    }
    return value;
}

}  // namespace

PathIds parsePathIds(std::string_view path) {
    PathIds ids;
    ids.vendorId = std::uint16_t(hexAfter(path, "vid_"));
    ids.productId = std::uint16_t(hexAfter(path, "pid_"));
    ids.interfaceNumber = hexAfter(path, "&mi_");
    ids.collectionNumber = hexAfter(path, "&col");
    return ids;
}

}  // namespace quillon::link
