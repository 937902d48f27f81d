// profiles list, profiles show: the profile lists and content files of the data folder.

#include <array>
#include <cstdio>
#include <memory>
#include <string_view>

#include "cli/command_groups.h"
#include "cli/hex_text.h"
#include "cli/profile_record_text.h"
#include "profiles/profile_overview.h"

namespace quillon::cli {
namespace {

using profiles::ProfileListId;

struct ListName {
    std::string_view cliName;
    std::string_view title;
    ProfileListId id;
};

constexpr std::array<ListName, profiles::kProfileListCount> kListNames{{
    {"kb-lighting", "keyboard lighting", ProfileListId::keyboardLighting},
    {"kb-keys", "keyboard keys", ProfileListId::keyboardKeys},
    {"ms-lighting", "mouse lighting", ProfileListId::mouseLighting},
    {"ms-keys", "mouse keys", ProfileListId::mouseKeys},
    {"mp-lighting", "mousepad lighting", ProfileListId::mousepadLighting},
}};

const ListName& listName(ProfileListId id) {
    for (const ListName& l : kListNames)
        if (l.id == id)
            return l;
    return kListNames[0];
}

int profilesList(Context& ctx) {
    const profiles::ProfilesOverview overview = profiles::startProfiles(ctx.users);
    for (const std::string& key : overview.messages)
        ctx.err << ctx.texts.text(key) << "\n";
    for (ProfileListId id : overview.notSaved) {
        const auto& view = overview.lists[static_cast<std::size_t>(id)];
        ctx.err << "quillonctl: the first profile of the " << listName(id).title
                << " list could not be saved: " << view.indexPath.string()
                << " cannot be written\n";
    }
    if (overview.firstRun && overview.notSaved.empty())
        ctx.out << "(first run: profiles made from the factory defaults)\n";
    for (const profiles::ProfileListView& view : overview.lists) {
        const ListName& name = listName(view.id);
        const std::size_t rows = view.rows.size();
        ctx.out << name.cliName << " (" << name.title << ", " << view.indexPath.string()
                << "): " << rows << (rows == 1 ? " profile\n" : " profiles\n");
        for (std::size_t i = 0; i < rows; ++i) {
            const profiles::ProfileRowView& row = view.rows[i];
            ctx.out << (int(i) == view.selected ? "  * " : "    ") << i << " " << row.name;
            if (row.linked)
                ctx.out << "  [linked to " << row.linkPath << "]";
            ctx.out << "\n";
        }
    }
    return overview.defaultsFailed || !overview.notSaved.empty() ? kExitFailed : kExitOk;
}

int profilesShow(Context& ctx, const std::string& list, const std::string& name) {
    ProfileListId id = ProfileListId::keyboardLighting;
    for (const ListName& l : kListNames)
        if (l.cliName == list)
            id = l.id;
    profiles::ProfileContent content;
    switch (profiles::readProfileContent(ctx.users, id, name, content)) {
        case profiles::ContentReadResult::badName:
            ctx.err << "quillonctl: " << ctx.texts.text("message_text_14") << "\n";
            return kExitFailed;
        case profiles::ContentReadResult::missing:
            ctx.err << content.path.string() << ": missing\n";
            return kExitFailed;
        case profiles::ContentReadResult::foreign:
            ctx.err << content.path.string() << ": not a profile file (bad magic)\n";
            return kExitFailed;
        case profiles::ContentReadResult::ok:
            break;
    }
    char magic[16];
    std::snprintf(magic, sizeof magic, "0x%04X", content.header.magic());
    ctx.out << content.path.string() << "\n";
    ctx.out << "header: magic " << magic << ", device kind " << content.header.deviceKindCode()
            << ", bytes " << hexBytes(content.header.bytes) << "\n";
    ctx.out << "record (" << content.record.size() << " bytes):\n";
    printProfileRecord(ctx.out, id, content.record);
    return kExitOk;
}

}  // namespace

void addProfilesCommands(CommandSetup& setup) {
    CLI::App* group = setup.command(nullptr, "profiles", "the profile lists of the data folder");
    group->require_subcommand(1);

    CLI::App* list = setup.command(
        group, "list",
        "read the profile index files as the window does at start, list the five lists");
    setup.onRun(list, profilesList, false);

    struct ShowArgs {
        std::string list;
        std::string name;
    };
    auto args = std::make_shared<ShowArgs>();
    std::vector<std::string> lists;
    for (const ListName& l : kListNames)
        lists.emplace_back(l.cliName);
    CLI::App* show =
        setup.command(group, "show", "print a profile content file's header and record");
    setup.choice(show, "list", args->list, lists, "the profile list")->required();
    show->add_option("name", args->name, "the profile's name")->required();
    setup.onRun(
        show, [args](Context& ctx) { return profilesShow(ctx, args->list, args->name); }, false);
}

}  // namespace quillon::cli
