// slot show, slot set: the onboard settings slot of the mouse or the mousepad.

#include <array>
#include <memory>

#include "app/attach_mouse_records.h"
#include "cli/command_groups.h"
#include "cli/device_connect.h"
#include "link/protocol.h"
#include "mouse/slot_switch.h"

namespace quillon::cli {
namespace {

link::DeviceKind kindOf(const std::string& name) {
    return name == "mousepad" ? link::DeviceKind::mousepad : link::DeviceKind::mouse;
}

int showSlot(Context& ctx, link::DeviceKind kind) {
    link::DeviceLink link(ctx.backend);
    if (!connectDevice(ctx, link, kind))
        return kExitFailed;
    std::array<std::uint8_t, 1> active{};
    if (const link::Status s = link::readSettings(link, 0, active); !link::succeeded(s))
        return reportFailure(ctx, "reading the active slot", s);
    if (active[0] > link::kHighestSlot) {
        ctx.err << "quillonctl: the " << link::kindName(kind) << " reports slot index "
                << int(active[0]) << ", which it does not have\n";
        return kExitFailed;
    }
    ctx.out << link::kindName(kind) << " slot " << int(active[0]) << "\n";
    return kExitOk;
}

int setSlot(Context& ctx, link::DeviceKind kind, int slot) {
    link::DeviceLink link(ctx.backend);
    if (!connectDevice(ctx, link, kind))
        return kExitFailed;
    // The window's own records are not this program's: the switch keeps its
    // copies here and drops them.
    lighting::LightingSettings lighting;
    attach::DeviceStores stores;
    app::AttachMouseRecords records(stores, lighting);
    switch (mouse::switchSlot(kind, link, records, slot)) {
        case mouse::SlotSwitch::switched:
        case mouse::SlotSwitch::alreadyActive:
            ctx.out << link::kindName(kind) << " slot " << slot << "\n";
            return kExitOk;
        case mouse::SlotSwitch::notASlot:
            break;
        case mouse::SlotSwitch::badActiveSlot:
            ctx.err << "quillonctl: the " << link::kindName(kind)
                    << " reports a slot it does not have; nothing was changed\n";
            return kExitFailed;
        case mouse::SlotSwitch::noAnswer:
            ctx.err << "quillonctl: the " << link::kindName(kind) << " did not answer\n";
            return kExitFailed;
    }
    ctx.err << "quillonctl: slots are 0..4\n";
    return kExitUsage;
}

}  // namespace

void addSlotCommands(CommandSetup& setup) {
    CLI::App* slot = setup.command(nullptr, "slot", "the onboard settings slot in use");
    slot->require_subcommand(1);
    auto kind = std::make_shared<std::string>();
    CLI::App* show = setup.command(slot, "show", "print the active slot (0..4)");
    setup.choice(show, "kind", *kind, {"mouse", "mousepad"}, "the device")->required();
    setup.onRun(
        show, [kind](Context& ctx) { return showSlot(ctx, kindOf(*kind)); }, true);

    auto setKind = std::make_shared<std::string>();
    auto number = std::make_shared<int>(0);
    CLI::App* set = setup.command(slot, "set", "make another slot active (0..4)");
    setup.choice(set, "kind", *setKind, {"mouse", "mousepad"}, "the device")->required();
    set->add_option("slot", *number, "the slot, 0..4")
        ->required()
        ->check(CLI::Range(0, int(link::kHighestSlot)));
    setup.onRun(
        set, [setKind, number](Context& ctx) { return setSlot(ctx, kindOf(*setKind), *number); },
        true);
}

}  // namespace quillon::cli
