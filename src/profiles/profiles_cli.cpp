#include "profiles/profiles_cli.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "profiles/file_names.h"
#include "profiles/profile_content.h"
#include "profiles/profile_startup.h"
#include "skin/memory_skin.h"

namespace quillon::profiles {
namespace {

struct ListName {
    std::string_view cliName;
    std::string_view title;
    ProfileListId id;
};

constexpr std::array<ListName, kProfileListCount> kListNames{{
    {"kb-lighting", "keyboard lighting", ProfileListId::keyboardLighting},
    {"kb-keys", "keyboard keys", ProfileListId::keyboardKeys},
    {"ms-lighting", "mouse lighting", ProfileListId::mouseLighting},
    {"ms-keys", "mouse keys", ProfileListId::mouseKeys},
    {"mp-lighting", "mousepad lighting", ProfileListId::mousepadLighting},
}};

std::optional<ListName> findList(std::string_view name) {
    for (const auto& l : kListNames)
        if (l.cliName == name)
            return l;
    return std::nullopt;
}

std::string hex(std::span<const std::uint8_t> bytes) {
    std::string s;
    char b[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(b, sizeof b, i ? " %02x" : "%02x", bytes[i]);
        s += b;
    }
    return s;
}

// Hex lines of `perLine` bytes, each prefixed with its offset.
void hexBlock(std::ostream& out, std::string_view indent, std::span<const std::uint8_t> bytes,
              std::size_t base, std::size_t perLine) {
    for (std::size_t at = 0; at < bytes.size(); at += perLine) {
        char off[32];
        std::snprintf(off, sizeof off, "%4zu: ", base + at);
        out << indent << off << hex(bytes.subspan(at, std::min(perLine, bytes.size() - at)))
            << "\n";
    }
}

std::string colour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    char s[16];
    std::snprintf(s, sizeof s, "#%02X%02X%02X", r, g, b);
    return s;
}

// The LightingRecord at bytes 1..8 of a device state.
void lighting(std::ostream& out, std::span<const std::uint8_t> r) {
    out << "  lighting: mode " << int(r[1]) << ", brightness " << int(r[2]) << ", speed "
        << int(r[3]) << ", direction " << int(r[4]) << ", multi-colour " << int(r[5]) << ", colour "
        << colour(r[6], r[7], r[8]) << "\n";
}

void showKeyboardLighting(std::ostream& out, std::span<const std::uint8_t> r) {
    out << "  active slot: " << int(r[0]) << "\n";
    lighting(out, r);
    out << "  further keyboard bytes (9..20): " << hex(r.subspan(9, 12)) << "\n";
    out << "  rest of slot record (21..63):\n";
    hexBlock(out, "    ", r.subspan(21, 43), 21, 16);
    out << "  custom set: " << int(r[64]) << ", paint colour " << colour(r[65], r[66], r[67])
        << "\n";
    for (std::size_t s = 0; s < kColourSetCount; ++s) {
        out << "  colour set " << s << " (red green blue per key):\n";
        hexBlock(out, "    ", r.subspan(68 + s * kColourSetSize, kColourSetSize),
                 68 + s * kColourSetSize, 21);
    }
}

void showMouseLighting(std::ostream& out, std::span<const std::uint8_t> r) {
    out << "  active slot: " << int(r[0]) << "\n";
    lighting(out, r);
    out << "  effect byte: " << int(r[9]) << ", spare byte: " << int(r[10]) << "\n";
    out << "  DPI colour: " << colour(r[11], r[12], r[13]) << "\n";
    out << "  report-rate index: " << int(r[14]) << "\n";
    out << "  DPI levels (stages 1..6):";
    for (std::size_t i = 15; i <= 20; ++i)
        out << " " << int(r[i]);
    out << "\n  current DPI stage: " << int(r[21]) << "\n  lift-off level: " << int(r[22])
        << "\n  pointer speed: " << int(r[23]) << "\n  wheel lines: " << int(r[24])
        << "\n  rest of slot record (25..63):\n";
    hexBlock(out, "    ", r.subspan(25), 25, 16);
}

void showMousepadLighting(std::ostream& out, std::span<const std::uint8_t> r) {
    out << "  active slot: " << int(r[0]) << "\n";
    lighting(out, r);
    out << "  effect byte: " << int(r[9])
        << "\n  further bytes (10..20): " << hex(r.subspan(10, 11))
        << "\n  rest of slot record (21..63):\n";
    hexBlock(out, "    ", r.subspan(21), 21, 16);
}

void showKeys(std::ostream& out, std::span<const std::uint8_t> r) {
    // Slots up to the last one that is not all zero; the zero rest is summarised.
    std::size_t used = r.size() / 3;
    while (used > 0 && r[3 * used - 3] == 0 && r[3 * used - 2] == 0 && r[3 * used - 1] == 0)
        --used;
    out << "  key map (type p1 p2 per slot):\n";
    for (std::size_t s = 0; s < used; s += 8) {
        char label[40];
        std::snprintf(label, sizeof label, "    slot %3zu:", s);
        out << label;
        for (std::size_t k = s; k < std::min(used, s + 8); ++k)
            out << "  " << hex(r.subspan(3 * k, 3));
        out << "\n";
    }
    out << "  slots " << used << ".." << (r.size() / 3 - 1) << ": zero";
    if (r.size() % 3)
        out << "; last " << r.size() % 3 << " bytes: " << hex(r.subspan(r.size() / 3 * 3));
    out << "\n";
}

}  // namespace

int profilesList(const platform::UserFolders& users, std::span<const std::string> args,
                 std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "usage: quillonctl profiles list\n";
        return 2;
    }
    ProfileFolders folders(users);
    IniStore ini;
    const ProfileStore store{folders, ini};
    skin::MemorySkin skin;
    ProfileRunState run;
    bool failed = false;
    std::size_t shown = 0;
    for (DeviceKind kind : {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad}) {
        const auto result = startProfileLists(store, skin, run, kind);
        failed |= result != ListStartResult::filled && result != ListStartResult::firstRun;
        for (; shown < skin.messages().size(); ++shown)
            err << skin.messages()[shown].key << "\n";
    }
    if (run.keyboardFirstRun || run.mouseFirstRun)
        out << "(first run: profiles made from the factory defaults)\n";
    for (const auto& l : kListNames) {
        const ProfileIndex index = store.index(l.id);
        IniDocument document;
        (void)index.read(document);  // an index that cannot be read was reported above
        const ListEntries entries(document, index.list());
        skin::Control* combo = skin.find(index.list().combo);
        const int rows = combo ? combo->rowCount() : 0;
        const int selected = entries.select();
        out << l.cliName << " (" << l.title << ", " << index.indexPath().string() << "): " << rows
            << (rows == 1 ? " profile\n" : " profiles\n");
        for (int i = 0; i < rows; ++i) {
            out << (i == selected ? "  * " : "    ") << i << " " << combo->row(i)->cells.at(0).text;
            if (entries.linked(i))
                out << "  [linked to " << entries.linkPath(i) << "]";
            out << "\n";
        }
    }
    return failed ? 1 : 0;
}

int profilesShow(const platform::UserFolders& users, std::span<const std::string> args,
                 std::ostream& out, std::ostream& err) {
    const auto list = args.size() == 2 ? findList(args[0]) : std::nullopt;
    if (!list) {
        err << "usage: quillonctl profiles show <list> <name>\n  <list>:";
        for (const auto& l : kListNames)
            err << " " << l.cliName;
        err << "\n";
        return 2;
    }
    const std::string& name = args[1];
    if (!isPlainFileName(name)) {
        err << "message_text_14\n";
        return 1;
    }
    ProfileFolders folders(users);
    IniStore ini;
    const ProfileIndex index(folders, ini, list->id);
    const auto path = index.contentPath(name);
    const std::size_t size = index.list().recordSize;
    std::string whole;
    if (!platform::readWholeFile(path, whole)) {
        err << path.string() << ": missing\n";
        return 1;
    }
    const std::span<const std::uint8_t> file(reinterpret_cast<const std::uint8_t*>(whole.data()),
                                             whole.size());
    std::vector<std::uint8_t> record(size, 0);
    if (parseProfileFile(file, record) == ProfileReadResult::foreign) {
        err << path.string() << ": not a profile file (bad magic)\n";
        return 1;
    }
    std::array<std::uint8_t, kProfileHeaderSize> header{};
    std::copy_n(file.begin(), std::min(file.size(), header.size()), header.begin());
    ProfileFileHeader h;
    h.bytes = header;
    char magic[16];
    std::snprintf(magic, sizeof magic, "0x%04X", h.magic());
    out << path.string() << "\n";
    out << "header: magic " << magic << ", device kind " << h.deviceKindCode() << ", bytes "
        << hex(header) << "\n";
    out << "record (" << size << " bytes):\n";
    switch (list->id) {
        case ProfileListId::keyboardLighting:
            showKeyboardLighting(out, record);
            break;
        case ProfileListId::mouseLighting:
            showMouseLighting(out, record);
            break;
        case ProfileListId::mousepadLighting:
            showMousepadLighting(out, record);
            break;
        case ProfileListId::keyboardKeys:
        case ProfileListId::mouseKeys:
            showKeys(out, record);
            break;
    }
    return 0;
}

int profilesList(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const platform::LinuxUserFolders users;
    return profilesList(users, args, out, err);
}

int profilesShow(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const platform::LinuxUserFolders users;
    return profilesShow(users, args, out, err);
}

}  // namespace quillon::profiles
