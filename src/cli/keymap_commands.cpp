// keymap show, keymap set: what every key of a device does, and giving a key
// another function the way the key editor does.

#include <algorithm>
#include <memory>
#include <optional>

#include "cli/command_groups.h"
#include "keys/assignment_label.h"
#include "keys/assignment_text.h"
#include "keys/function_selectors.h"
#include "keys/key_index.h"
#include "keys/key_map_access.h"
#include "keys/key_map_transfer.h"
#include "keys/key_name_table.h"
#include "link/interface_scan.h"
#include "link/protocol.h"
#include "profiles/profile_content.h"

namespace quillon::cli {
namespace {

using link::DeviceKind;

// The mouse's buttons as --key names them, in slot order.
constexpr std::array<std::string_view, keys::kMouseButtons> kMouseButtonNames{
    "left", "wheel", "right", "forward", "back", "dpi"};

struct DeviceMaps {
    keys::KeyMap factory{};
    keys::KeyMap slot{};
    int keySlots = 0;
};

DeviceKind kindOf(const std::string& name) {
    return name == "mouse" ? DeviceKind::mouse : DeviceKind::keyboard;
}

int fail(Context& ctx, const std::string& what) {
    ctx.err << "quillonctl: " << what << "\n";
    return kExitFailed;
}

bool connect(Context& ctx, link::DeviceLink& link, DeviceKind kind) {
    link.setMatch(kind);
    link.hid.setTrace(ctx.trace);
    if (link::connectFirst(link, kind))
        return true;
    (void)fail(ctx, "no " + std::string(link::kindName(kind)) + " found");
    return false;
}

// The factory map and the map of `slot`, framed by Begin and End.
bool readMaps(Context& ctx, link::DeviceLink& link, DeviceKind kind, int slot, DeviceMaps& maps) {
    if (!link::succeeded(link::begin(link)))
        return fail(ctx, "the " + std::string(link::kindName(kind)) + " does not answer") == 0;
    link::DeviceInfo info;
    link::Status s = link::readInfo(link, info);
    maps.keySlots = keys::keySlotCount(kind, info);
    if (kind == DeviceKind::keyboard && link::succeeded(s)) {
        if (3 * std::size_t(info.keyCount()) > keys::kKeyMapSize)
            s = link::Status::deviceError;  // more keys than a key map holds
        link.blockLength = std::uint16_t(3 * maps.keySlots);
    }
    if (link::succeeded(s))
        s = link::readKeymapBase(link, maps.factory);
    if (link::succeeded(s))
        s = link::readKeymapSlot(link, maps.slot, slot);
    (void)link::end(link);  // the maps are what matter
    if (!link::succeeded(s))
        return fail(ctx, "reading the key maps failed: " + std::string(link::describe(s))) == 0;
    return true;
}

keys::Translate englishOf(const Context& ctx) {
    return [&ctx](std::string_view key) { return ctx.texts.text(key); };
}

int showKeymap(Context& ctx, DeviceKind kind, int slot) {
    link::DeviceLink link(ctx.backend);
    DeviceMaps maps;
    if (!connect(ctx, link, kind) || !readMaps(ctx, link, kind, slot, maps))
        return kExitFailed;
    const std::size_t shown =
        kind == DeviceKind::mouse ? keys::kMouseButtons : std::size_t(maps.keySlots);
    for (std::size_t s = 0; s < shown; ++s) {
        const keys::KeyAssignment factory = keys::assignmentAt(maps.factory, s);
        const keys::KeyAssignment current = keys::assignmentAt(maps.slot, s);
        ctx.out << s << "  ";
        if (kind == DeviceKind::mouse)
            ctx.out << kMouseButtonNames[s] << "  ";
        ctx.out << keys::keyTooltip(factory, current, {}, englishOf(ctx)).value_or("?");
        if (current != factory)
            if (auto text = keys::assignmentTextOf(current))
                ctx.out << "  (" << *text << ")";
        ctx.out << "\n";
    }
    return kExitOk;
}

struct SetRequest {
    std::string kind;
    int slot = 0;
    std::string key;
    int position = -1;
    std::string to;
};

// The key slot --key or --position names.
std::optional<std::size_t> slotOf(Context& ctx, DeviceKind kind, const SetRequest& r,
                                  const DeviceMaps& maps) {
    if (kind == DeviceKind::mouse) {
        for (std::size_t s = 0; s < kMouseButtonNames.size(); ++s)
            if (r.key == kMouseButtonNames[s] || int(s) == r.position)
                return s;
        (void)fail(ctx,
                   "the mouse has no button '" + r.key + "' (left|wheel|right|forward|back|dpi)");
        return std::nullopt;
    }
    if (r.position >= 0) {
        if (auto s = keys::slotOfPosition(keys::buildKeyIndex(maps.factory, maps.keySlots),
                                          std::size_t(r.position)))
            return s;
        (void)fail(ctx,
                   "position " + std::to_string(r.position) + " shows no key of this keyboard");
        return std::nullopt;
    }
    if (const keys::KeyNameEntry* entry = keys::findKeyboardKeyByName(r.key))
        for (int s = 0; s < maps.keySlots; ++s)
            if (keys::assignmentAt(maps.factory, std::size_t(s)) == entry->assignment)
                return std::size_t(s);
    (void)fail(ctx, "the keyboard has no key '" + r.key + "'");
    return std::nullopt;
}

bool onlyLeftClick(const keys::KeyMap& map, std::size_t slot) {
    const keys::KeyAssignment left = keys::kMouseButtonSelector[0].assignment;
    if (keys::assignmentAt(map, slot) != left)
        return false;
    for (std::size_t s = 0; s < keys::kMouseLeftClickSlots; ++s)
        if (s != slot && keys::assignmentAt(map, s) == left)
            return false;
    return true;
}

int setKey(Context& ctx, const SetRequest& r) {
    const DeviceKind kind = kindOf(r.kind);
    std::string error;
    const auto function = keys::parseAssignmentText(r.to, &error);
    if (!function) {
        ctx.err << "quillonctl: --to " << r.to << ": " << error << "\n";
        return kExitUsage;
    }
    if (kind == DeviceKind::keyboard && !function->factoryDefault &&
        function->assignment.type == keys::FN_GUN) {
        ctx.err << "quillonctl: movement patterns are the mouse's\n";
        return kExitUsage;
    }
    link::DeviceLink link(ctx.backend);
    DeviceMaps maps;
    if (!connect(ctx, link, kind) || !readMaps(ctx, link, kind, r.slot, maps))
        return kExitFailed;
    const auto slot = slotOf(ctx, kind, r, maps);
    if (!slot)
        return kExitFailed;
    const keys::KeyAssignment assignment =
        function->factoryDefault ? keys::assignmentAt(maps.factory, *slot) : function->assignment;
    if (kind == DeviceKind::mouse && onlyLeftClick(maps.slot, *slot) &&
        assignment != keys::kMouseButtonSelector[0].assignment)
        return fail(ctx, ctx.texts.text("message_text_6"));

    (void)keys::setAssignment(maps.slot, *slot, assignment);
    const std::size_t bytes = 3 * std::size_t(maps.keySlots);
    if (!link::succeeded(keys::downloadKeyMap(link, std::span(maps.slot).first(bytes), r.slot)))
        return fail(ctx, ctx.texts.text("message_text_19"));
    ctx.out << link::kindName(kind) << " slot " << r.slot << ", key slot " << *slot << ": "
            << keys::keyTooltip(keys::assignmentAt(maps.factory, *slot), assignment, {},
                                englishOf(ctx))
                   .value_or("?")
            << "\n";

    // Onboard slot 0 holds the selected key profile: it is written too, as the
    // editor does. A demo device is not the user's, nor are its keys.
    if (r.slot != 0 || ctx.demo)
        return kExitOk;
    profiles::ProfileFolders folders(ctx.users);
    profiles::IniStore ini;
    const profiles::ProfileStore store{folders, ini};
    profiles::KeyMapMemory memory;
    memory.bytes = maps.slot;
    const auto list = kind == DeviceKind::mouse ? profiles::ProfileListId::mouseKeys
                                                : profiles::ProfileListId::keyboardKeys;
    switch (profiles::saveCurrentProfile(store, list, memory)) {
        case profiles::ProfileSaveResult::ok:
            return kExitOk;
        case profiles::ProfileSaveResult::badName:
            ctx.err << "quillonctl: no key profile is selected; only the device was changed\n";
            return kExitOk;
        case profiles::ProfileSaveResult::writeFailed:
            return fail(ctx, ctx.texts.text("message_text_20"));
    }
    return kExitOk;
}

}  // namespace

void addKeymapCommands(CommandSetup& setup) {
    CLI::App* keymap = setup.root().get_subcommand("keymap");

    auto showKind = std::make_shared<std::string>();
    auto showSlot = std::make_shared<int>(0);
    CLI::App* show = setup.command(keymap, "show", "what every key does, as the key view names it");
    setup.choice(show, "kind", *showKind, {"keyboard", "mouse"}, "the device")->required();
    show->add_option("--slot", *showSlot, "the onboard slot (profile) 0..4, default 0")
        ->check(CLI::Range(0, int(link::kHighestSlot)));
    setup.onRun(
        show,
        [showKind, showSlot](Context& ctx) {
            return showKeymap(ctx, kindOf(*showKind), *showSlot);
        },
        true);

    auto request = std::make_shared<SetRequest>();
    CLI::App* set =
        setup.command(keymap, "set",
                      "give a key another function: key:LCtrl+C, mouse:left, hscroll:right,5,2,3, "
                      "vscroll:down,3, dpi:up, fire:10,3, media:play, system:sleep, macro:2,0, "
                      "macro-count:2,5, gun:1, default");
    setup.choice(set, "kind", request->kind, {"keyboard", "mouse"}, "the device")->required();
    set->add_option("--slot", request->slot, "the onboard slot (profile) 0..4")
        ->required()
        ->check(CLI::Range(0, int(link::kHighestSlot)));
    CLI::Option* key = set->add_option("--key", request->key,
                                       "the key as the key view labels it (A, LCtrl, F5; mouse: "
                                       "left|wheel|right|forward|back|dpi)");
    CLI::Option* position = set->add_option("--position", request->position,
                                            "the key's place on the picture (kb_key_N, ms_key_N)")
                                ->check(CLI::Range(0, int(keys::kKeyPositions) - 1));
    key->excludes(position);
    set->add_option("--to", request->to, "the function")->required();
    setup.onRun(
        set,
        [request, key, position](Context& ctx) {
            if (key->count() == 0 && position->count() == 0) {
                ctx.err << "quillonctl: keymap set needs --key or --position\n";
                return kExitUsage;
            }
            return setKey(ctx, *request);
        },
        true);
}

}  // namespace quillon::cli
