#include "cli/device_commands.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>

#include "link/device_catalogue.h"
#include "link/interface_scan.h"
#include "link/protocol.h"

namespace quillon::cli {
namespace {

std::string hex(std::span<const std::uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string s;
    s.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i)
            s += ' ';
        s += kHex[bytes[i] >> 4];
        s += kHex[bytes[i] & 15];
    }
    return s;
}

std::string hex4(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04x", v & 0xFFFF);
    return buf;
}

std::optional<link::DeviceKind> kindArg(Context& ctx, Args args, std::size_t i) {
    if (i >= args.size()) {
        ctx.err << "quillonctl: missing device kind (keyboard, mouse or mousepad)\n";
        return std::nullopt;
    }
    auto kind = link::parseKindName(args[i]);
    if (!kind)
        ctx.err << "quillonctl: unknown device kind '" << args[i]
                << "' (expected keyboard, mouse or mousepad)\n";
    return kind;
}

// Opens the command interface of the first attached device of `kind`.
bool connect(Context& ctx, link::DeviceLink& link, link::DeviceKind kind) {
    link.setMatch(kind);
    link.hid.setTrace(ctx.trace);
    if (!link::connectFirst(link, kind)) {
        ctx.err << "quillonctl: no " << link::kindName(kind) << " found"
                << (ctx.demo ? "" : " (is it plugged in, and may this user open its hidraw node?)")
                << "\n";
        return false;
    }
    return true;
}

int fail(Context& ctx, const char* what, link::Status s) {
    ctx.err << "quillonctl: " << what << " failed: " << link::describe(s) << " (" << link::toInt(s)
            << ")\n";
    return 1;
}

}  // namespace

int listDevices(Context& ctx, Args) {
    std::vector<std::string> paths;
    if (!ctx.backend.enumerate(paths)) {
        ctx.err << "quillonctl: the HID interfaces could not be listed\n";
        return 1;
    }
    int found = 0;
    for (const std::string& path : paths) {
        const link::PathIds ids = link::parsePathIds(path);
        const link::Product* product = link::findProduct(ids.vendorId, ids.productId);
        if (!product)
            continue;
        std::string usage = "?";
        if (auto conn = ctx.backend.open(path, platform::HidOpenFlags{})) {
            usage = hex4(conn->collection().usagePage) + "/" + hex4(conn->collection().usage);
        }
        ctx.out << path << "  " << hex4(ids.vendorId) << ":" << hex4(ids.productId) << "  "
                << product->name << "  usage " << usage << "\n";
        ++found;
    }
    if (found == 0)
        ctx.out << "no supported devices present\n";
    return 0;
}

int showInfo(Context& ctx, Args args) {
    const auto kind = kindArg(ctx, args, 0);
    if (!kind)
        return 2;
    link::DeviceLink link(ctx.backend);
    if (!connect(ctx, link, *kind))
        return 1;
    link::DeviceInfo info;
    std::lock_guard guard(link.lock);
    if (auto s = link::begin(link); s != link::STATUS_OK)
        return fail(ctx, "begin", s);
    const link::Status s = link::readInfo(link, info);
    (void)link::end(link);  // the info is what matters; a failed end changes nothing here
    if (s != link::STATUS_OK)
        return fail(ctx, "read info", s);
    const auto& a = link.hid.attributes();
    ctx.out << link::kindName(*kind) << " " << hex4(a.vendorId) << ":" << hex4(a.productId)
            << " version " << hex4(a.versionNumber) << "\n"
            << hex(info.bytes) << "\n";
    return 0;
}

int readKeymap(Context& ctx, Args args) {
    const auto kind = kindArg(ctx, args, 0);
    if (!kind)
        return 2;
    if (*kind == link::DeviceKind::mousepad) {
        ctx.err << "quillonctl: the mousepad has no key map\n";
        return 2;
    }
    std::optional<int> slot;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--slot" && i + 1 < args.size()) {
            int v = -1;
            const std::string& a = args[++i];
            auto [p, ec] = std::from_chars(a.data(), a.data() + a.size(), v);
            if (ec != std::errc() || p != a.data() + a.size() || v < 0 || v > link::kHighestSlot) {
                ctx.err << "quillonctl: --slot takes 0..4\n";
                return 2;
            }
            slot = v;
        } else {
            ctx.err << "quillonctl: unexpected argument '" << args[i] << "'\n";
            return 2;
        }
    }
    link::DeviceLink link(ctx.backend);
    if (!connect(ctx, link, *kind))
        return 1;
    std::lock_guard guard(link.lock);
    if (auto s = link::begin(link); s != link::STATUS_OK)
        return fail(ctx, "begin", s);
    if (*kind == link::DeviceKind::keyboard) {
        link::DeviceInfo info;
        if (auto s = link::readInfo(link, info); s != link::STATUS_OK)
            return fail(ctx, "read info", s);
        const unsigned block = 3u * info.keyCount();
        if (block > 512) {
            ctx.err << "quillonctl: the keyboard reports " << unsigned(info.keyCount())
                    << " keys, more than the 170 a key map holds\n";
            return 1;
        }
        link.blockLength = std::uint16_t(block);
    }
    std::array<std::uint8_t, 512> map{};
    const link::Status s =
        slot ? link::readKeymapSlot(link, map, *slot) : link::readKeymapBase(link, map);
    (void)link::end(link);  // the map is what matters
    if (s != link::STATUS_OK)
        return fail(ctx, "key-map read", s);
    // The mouse moves a whole block like every device but uses 42 key slots of it.
    constexpr std::size_t kMouseKeymapBytes = 126;
    const std::size_t n =
        *kind == link::DeviceKind::mouse ? kMouseKeymapBytes : std::size_t(link.blockLength);
    for (std::size_t k = 0; k * 3 + 2 < n; ++k) {
        ctx.out << k << ": " << hex(std::span(map).subspan(k * 3, 3)) << "\n";
    }
    return 0;
}

int resetDevice(Context& ctx, Args args) {
    const auto kind = kindArg(ctx, args, 0);
    if (!kind)
        return 2;
    if (*kind == link::DeviceKind::keyboard) {
        ctx.err << "quillonctl: only the mouse and the mousepad can be reset\n";
        return 2;
    }
    link::DeviceLink link(ctx.backend);
    if (!connect(ctx, link, *kind))
        return 1;
    if (auto s = link::reset(link); s != link::STATUS_OK)
        return fail(ctx, "reset", s);
    ctx.out << link::kindName(*kind) << " restored to its factory settings\n";
    return 0;
}

}  // namespace quillon::cli
