// profiles list, profiles show and the profile operations: the profile lists
// and content files of the data folder. Each operation does to the files what
// the window's button does, without asking.

#include <array>
#include <cstdio>
#include <memory>
#include <string_view>

#include "cli/command_groups.h"
#include "cli/hex_text.h"
#include "cli/profile_record_text.h"
#include "profiles/ini_file.h"
#include "profiles/profile_content.h"
#include "profiles/profile_folders.h"
#include "profiles/profile_operations.h"
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

ProfileListId listId(const std::string& cliName) {
    for (const ListName& l : kListNames)
        if (l.cliName == cliName)
            return l.id;
    return ProfileListId::keyboardLighting;
}

// What one operation gets: the lists as the window has them after its start.
struct OperationArgs {
    std::string list;
    std::string name;
    std::string second;  // the new name, the file or the program
    int variant = 0;
};

class Operation {
  public:
    Operation(Context& ctx, const OperationArgs& args)
        : ctx_(ctx),
          args_(args),
          id_(listId(args.list)),
          folders_(ctx.users),
          store_{folders_, ini_} {}

    // Runs the window's start-up steps first (the first run included).
    bool start() {
        const profiles::ProfilesOverview overview = profiles::startProfiles(ctx_.users);
        for (const std::string& key : overview.messages)
            ctx_.err << ctx_.texts.text(key) << "\n";
        return overview.notSaved.empty();
    }
    // The row of NAME, case aside; -1 after telling the user.
    int row() {
        const std::vector<std::string> names = profiles::profileNames(store_, id_);
        for (std::size_t i = 0; i < names.size(); ++i)
            if (profiles::sameProfileName(names[i], args_.name))
                return static_cast<int>(i);
        ctx_.err << "quillonctl: the " << listName(id_).title << " list has no profile \""
                 << args_.name << "\"\n";
        return -1;
    }
    // A refusal prints the message's text and fails.
    int finish(const profiles::ProfileOpOutcome& done, std::string_view success) {
        if (done.result != profiles::ProfileOpResult::ok) {
            const std::string_view key = profiles::messageKey(done.result);
            ctx_.err << "quillonctl: " << (key.empty() ? "nothing to do" : ctx_.texts.text(key))
                     << "\n";
            return kExitFailed;
        }
        if (!success.empty())
            ctx_.out << success << "\n";
        return kExitOk;
    }

    ProfileListId id() const { return id_; }
    const profiles::ProfileStore& store() const { return store_; }
    std::uint8_t variant() const { return static_cast<std::uint8_t>(args_.variant); }

  private:
    Context& ctx_;
    const OperationArgs& args_;
    ProfileListId id_;
    profiles::ProfileFolders folders_;
    profiles::IniStore ini_;
    profiles::ProfileStore store_;
};

// The operations by their command word; NAME is looked up first where given.
int runOperation(Context& ctx, const std::string& word, const OperationArgs& args) {
    Operation op(ctx, args);
    if (!op.start())
        return kExitFailed;
    const auto& store = op.store();
    const ProfileListId id = op.id();
    if (word == "add") {
        const profiles::ProfileOpOutcome done = profiles::addProfile(store, id, op.variant());
        return op.finish(done, "added \"" + done.name + "\"");
    }
    if (word == "import") {
        const int cur = store.index(id).select();
        return op.finish(profiles::importProfile(store, id, cur, args.second),
                         "imported into the selected profile");
    }
    const int row = op.row();
    if (row < 0)
        return kExitFailed;
    if (word == "select") {
        const bool saved = profiles::succeeded(store.index(id).writeSelect(row));
        return op.finish(
            {saved ? profiles::ProfileOpResult::ok : profiles::ProfileOpResult::writeFailed}, {});
    }
    if (word == "delete")
        return op.finish(profiles::deleteProfile(store, id, row), {});
    if (word == "copy") {
        const profiles::ProfileOpOutcome done = profiles::copyProfile(store, id, row);
        return op.finish(done, "copied as \"" + done.name + "\"");
    }
    if (word == "reset")
        return op.finish(profiles::resetProfile(store, id, row, op.variant()), {});
    if (word == "unlink")
        return op.finish(profiles::unlinkProfile(store, id, row), {});
    if (word == "rename")
        return op.finish(profiles::renameProfile(store, id, row, args.second), {});
    if (word == "export")
        return op.finish(profiles::exportProfile(store, id, row, args.second), {});
    // link: a program named with a folder is made absolute; a bare name is no program.
    std::string program = args.second;
    if (program.find('/') != std::string::npos)
        program = std::filesystem::absolute(program).lexically_normal().string();
    return op.finish(
        profiles::linkProfile(store, id, row, program, profiles::LinkCheck::refuseTaken), {});
}

struct OperationShape {
    std::string_view word;
    std::string_view summary;
    bool name;                // takes NAME
    std::string_view second;  // the second argument's name, empty for none
    bool secondIsFile;
    bool variant;  // takes --variant
};

constexpr std::array<OperationShape, 10> kOperations{{
    {"add", "add \"New Profile n\" made from the factory default", false, {}, false, true},
    {"select", "make NAME the list's selected profile", true, {}, false, false},
    {"delete",
     "delete NAME (no question asked); its links move with the later profiles",
     true,
     {},
     false,
     false},
    {"copy", "add \"NAME copy\" with NAME's settings", true, {}, false, false},
    {"reset", "give NAME the factory default's settings", true, {}, false, true},
    {"unlink", "remove NAME's program link", true, {}, false, false},
    {"rename", "rename NAME to NEW", true, "NEW", false, false},
    {"import", "replace the selected profile's settings with FILE's", false, "FILE", true, false},
    {"export", "write NAME's settings to FILE", true, "FILE", true, false},
    {"link", "use NAME while PROGRAM (a full path) is in front", true, "PROGRAM", true, false},
}};

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

    for (const OperationShape& shape : kOperations) {
        const std::string word(shape.word);
        auto op = std::make_shared<OperationArgs>();
        CLI::App* command = setup.command(group, word, std::string(shape.summary));
        setup.choice(command, "list", op->list, lists, "the profile list")->required();
        if (shape.name)
            command->add_option("name", op->name, "the profile's name")->required();
        if (shape.secondIsFile)
            setup.file(command, std::string(shape.second), op->second, "the file")->required();
        else if (!shape.second.empty())
            command->add_option(std::string(shape.second), op->second, "the new name")->required();
        if (shape.variant)
            command
                ->add_option("--variant", op->variant,
                             "keyboard variant or mouse model whose default is used (0, 1, 2)")
                ->check(CLI::Range(0, 2));
        setup.onRun(
            command, [word, op](Context& ctx) { return runOperation(ctx, word, *op); }, false);
    }
}

}  // namespace quillon::cli
