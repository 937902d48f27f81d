// devices, info, keymap read, reset: the commands that ask one device directly.

#include <array>
#include <memory>

#include "cli/command_groups.h"
#include "cli/device_connect.h"
#include "cli/hex_text.h"
#include "link/device_catalogue.h"
#include "link/interface_listing.h"
#include "link/interface_scan.h"
#include "link/protocol.h"

namespace quillon::cli {
namespace {

const std::vector<std::string> kAllKinds{"keyboard", "mouse", "mousepad"};

bool connect(Context& ctx, link::DeviceLink& link, link::DeviceKind kind) {
    return connectDevice(ctx, link, kind);
}

int fail(Context& ctx, const char* what, link::Status s) {
    return reportFailure(ctx, what, s);
}

link::DeviceKind kindOf(const std::string& name) {
    return link::parseKindName(name).value_or(link::DeviceKind::keyboard);
}

// What a user finds in /dev: the hidraw node, or a name for an emulated device.
std::string nodeName(const link::ListedInterface& entry) {
    if (entry.iface.node.starts_with("/dev/"))
        return entry.iface.node;
    return "emulated:" + std::string(link::kindName(entry.product->kind));
}

std::string usageText(const platform::HidInterface& iface) {
    std::string text = "usage " + hex4(iface.usagePage) + "/" + hex4(iface.usage);
    if (iface.usagePage == link::kCommandUsagePage && iface.usage == link::kCommandUsage)
        text += " (commands)";
    else if (iface.usagePage == link::kEventUsagePage && iface.usage == link::kEventUsage)
        text += " (media keys)";
    return text;
}

int listDevices(Context& ctx) {
    std::vector<link::ListedInterface> entries;
    if (link::listSupportedInterfaces(ctx.backend, entries) != link::ListingResult::ok) {
        ctx.err << "quillonctl: the HID interfaces could not be listed\n";
        return kExitFailed;
    }
    for (const link::ListedInterface& e : entries)
        ctx.out << nodeName(e) << "  " << hex4(e.iface.vendorId) << ":" << hex4(e.iface.productId)
                << "  " << e.product->name << "  interface "
                << unsigned(e.iface.interfaceNumber.value_or(0)) << "  " << usageText(e.iface)
                << "\n";
    if (entries.empty())
        ctx.out << "no supported devices present\n";
    return kExitOk;
}

int showInfo(Context& ctx, link::DeviceKind kind) {
    link::DeviceLink link(ctx.backend);
    if (!connect(ctx, link, kind))
        return kExitFailed;
    link::DeviceInfo info;
    std::lock_guard guard(link.lock);
    if (auto s = link::begin(link); s != link::STATUS_OK)
        return fail(ctx, "begin", s);
    const link::Status s = link::readInfo(link, info);
    (void)link::end(link);  // the info is what matters; a failed end changes nothing here
    if (s != link::STATUS_OK)
        return fail(ctx, "read info", s);
    const auto& a = link.hid.attributes();
    ctx.out << link::kindName(kind) << " " << hex4(a.vendorId) << ":" << hex4(a.productId)
            << " version " << hex4(a.versionNumber) << "\n"
            << hexBytes(info.bytes) << "\n";
    return kExitOk;
}

int readKeymap(Context& ctx, link::DeviceKind kind, std::optional<int> slot) {
    link::DeviceLink link(ctx.backend);
    if (!connect(ctx, link, kind))
        return kExitFailed;
    std::lock_guard guard(link.lock);
    if (auto s = link::begin(link); s != link::STATUS_OK)
        return fail(ctx, "begin", s);
    if (kind == link::DeviceKind::keyboard) {
        link::DeviceInfo info;
        if (auto s = link::readInfo(link, info); s != link::STATUS_OK) {
            (void)link::end(link);  // already failing
            return fail(ctx, "read info", s);
        }
        const unsigned block = 3u * info.keyCount();
        if (block > 512) {
            (void)link::end(link);  // already failing
            ctx.err << "quillonctl: the keyboard reports " << unsigned(info.keyCount())
                    << " keys, more than the 170 a key map holds\n";
            return kExitFailed;
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
        kind == link::DeviceKind::mouse ? kMouseKeymapBytes : std::size_t(link.blockLength);
    for (std::size_t k = 0; k * 3 + 2 < n; ++k)
        ctx.out << k << ": " << hexBytes(std::span(map).subspan(k * 3, 3)) << "\n";
    return kExitOk;
}

int resetDevice(Context& ctx, link::DeviceKind kind) {
    link::DeviceLink link(ctx.backend);
    if (!connect(ctx, link, kind))
        return kExitFailed;
    if (auto s = link::reset(link); s != link::STATUS_OK)
        return fail(ctx, "reset", s);
    ctx.out << link::kindName(kind) << " restored to its factory settings\n";
    return kExitOk;
}

}  // namespace

void addDeviceCommands(CommandSetup& setup) {
    CLI::App* devices =
        setup.command(nullptr, "devices",
                      "list the supported HID interfaces present: node, product, interface, usage");
    setup.onRun(devices, listDevices, false);  // opens nothing for reading or writing

    auto kind = std::make_shared<std::string>();
    CLI::App* info = setup.command(nullptr, "info", "print the device information record in hex");
    setup.choice(info, "kind", *kind, kAllKinds, "the device")->required();
    setup.onRun(
        info, [kind](Context& ctx) { return showInfo(ctx, kindOf(*kind)); }, true);

    CLI::App* keymap = setup.command(nullptr, "keymap", "key maps stored in a device");
    keymap->require_subcommand(1);
    auto mapKind = std::make_shared<std::string>();
    auto slot = std::make_shared<int>(0);
    CLI::App* read =
        setup.command(keymap, "read", "print the base key map, or the key map of a slot");
    setup.choice(read, "kind", *mapKind, {"keyboard", "mouse"}, "the device")->required();
    CLI::Option* slotOption = read->add_option("--slot", *slot, "the slot to read")
                                  ->check(CLI::Range(0, int(link::kHighestSlot)));
    setup.onRun(
        read,
        [mapKind, slot, slotOption](Context& ctx) {
            return readKeymap(ctx, kindOf(*mapKind),
                              slotOption->count() ? std::optional<int>(*slot) : std::nullopt);
        },
        true);

    auto resetKind = std::make_shared<std::string>();
    CLI::App* reset = setup.command(nullptr, "reset", "restore a device's factory settings");
    setup.choice(reset, "kind", *resetKind, {"mouse", "mousepad"}, "the device")->required();
    setup.onRun(
        reset, [resetKind](Context& ctx) { return resetDevice(ctx, kindOf(*resetKind)); }, true);
}

}  // namespace quillon::cli
