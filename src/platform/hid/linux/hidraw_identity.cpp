#include "platform/hid/linux/hidraw_identity.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/hid/linux/file_descriptor.h"

namespace quillon::platform {
namespace {

// The kernel keeps descriptors up to this size.
constexpr std::size_t kMaxDescriptorBytes = 4096;

std::optional<std::uint32_t> hexField(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char ch : text) {
        int v;
        if (ch >= '0' && ch <= '9')
            v = ch - '0';
        else if (ch >= 'a' && ch <= 'f')
            v = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F')
            v = ch - 'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + std::uint32_t(v);
    }
    return value;
}

}  // namespace

std::optional<HidId> parseHidId(std::string_view text) {
    const std::size_t first = text.find(':');
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    if (!hexField(text.substr(0, first), 4))
        return std::nullopt;
    const auto vendor = hexField(text.substr(first + 1, second - first - 1), 8);
    const auto product = hexField(text.substr(second + 1), 8);
    if (!vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF)
        return std::nullopt;
    return HidId{std::uint16_t(*vendor), std::uint16_t(*product)};
}

std::optional<std::uint32_t> parseSysfsHex(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.remove_suffix(1);
    return hexField(text, 8);
}

std::optional<HidrawIdentity> readHidrawIdentity(udev_device* node) {
    // Parents are borrowed from `node`: not to be unreferenced.
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(node, "hid", nullptr);
    if (!hid)
        return std::nullopt;
    const char* hidId = udev_device_get_property_value(hid, "HID_ID");
    const auto ids = hidId ? parseHidId(hidId) : std::nullopt;
    if (!ids)
        return std::nullopt;

    HidrawIdentity identity;
    identity.attributes.vendorId = ids->vendorId;
    identity.attributes.productId = ids->productId;
    if (udev_device* usb =
            udev_device_get_parent_with_subsystem_devtype(node, "usb", "usb_device")) {
        const char* bcd = udev_device_get_sysattr_value(usb, "bcdDevice");
        if (const auto version = bcd ? parseSysfsHex(bcd) : std::nullopt;
            version && *version <= 0xFFFF)
            identity.attributes.versionNumber = std::uint16_t(*version);
    }
    if (udev_device* intf =
            udev_device_get_parent_with_subsystem_devtype(node, "usb", "usb_interface")) {
        const char* number = udev_device_get_sysattr_value(intf, "bInterfaceNumber");
        if (const auto n = number ? parseSysfsHex(number) : std::nullopt; n && *n <= 0xFF)
            identity.interfaceNumber = std::uint8_t(*n);
    }
    return identity;
}

bool readReportDescriptorBytes(udev_device* node, std::vector<std::uint8_t>& out) {
    const char* syspath = udev_device_get_syspath(node);
    if (!syspath)
        return false;
    const std::string file = std::string(syspath) + "/device/report_descriptor";
    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return false;
    out.resize(kMaxDescriptorBytes);
    std::size_t total = 0;
    while (total < out.size()) {
        const ssize_t n = ::read(fd.get(), out.data() + total, out.size() - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        total += std::size_t(n);
    }
    out.resize(total);
    return true;
}

}  // namespace quillon::platform
