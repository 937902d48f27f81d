#include "platform/hid/linux/hidraw_path.h"

namespace quillon::platform {
namespace {

constexpr std::string_view kDevPrefix = "/dev/";
constexpr std::string_view kHidraw = "hidraw";

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

bool isHidrawNodePath(std::string_view path) {
    return path.starts_with(kDevPrefix) && hidrawNumber(path).has_value();
}

}  // namespace quillon::platform
