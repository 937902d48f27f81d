// macro list|show|add|delete|rename|import|export|image: the macro stores of the
// data folder, as the macro editors keep them.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "cli/command_groups.h"
#include "cli/hex_text.h"
#include "keys/macro_store.h"
#include "keys/macro_table_image.h"

namespace quillon::cli {
namespace {

using keys::MacroStore;
using keys::MacroStoreResult;

constexpr std::size_t kImageBytesPerLine = 16;

const keys::MacroStoreKind& storeKind(const std::string& kind) {
    return kind == "mouse" ? keys::kMouseMacroStore : keys::kKeyboardMacroStore;
}

// The store of one kind over the user's data folder, for one command.
struct StoreAccess {
    profiles::ProfileFolders folders;
    profiles::IniStore ini;
    MacroStore store;
    StoreAccess(const platform::UserFolders& users, const std::string& kind)
        : folders(users), store(folders, ini, storeKind(kind)) {}
};

// What a failed store operation tells the user; kExitFailed.
int failed(Context& ctx, MacroStoreResult r, const std::string& name) {
    std::string text;
    switch (r) {
        case MacroStoreResult::badName:
            text = ctx.texts.text("message_text_14");
            break;
        case MacroStoreResult::nameTaken:
            text = ctx.texts.text("message_text_5");
            break;
        case MacroStoreResult::full: {
            text = ctx.texts.text("message_text_17");
            if (const auto at = text.find("%d"); at != std::string::npos)
                text.replace(at, 2, std::to_string(keys::kMaxMacros));
            break;
        }
        case MacroStoreResult::noSuchMacro:
            text = "no macro or file named " + name;
            break;
        case MacroStoreResult::noFolder:
            text = "there is no Documents folder to keep macros in";
            break;
        case MacroStoreResult::unreadable:
            text = "a macro file exists but cannot be read; it was left as it is";
            break;
        case MacroStoreResult::writeFailed:
        case MacroStoreResult::ok:
            text = ctx.texts.text("message_text_20");
            break;
    }
    ctx.err << "quillonctl: " << text << "\n";
    return kExitFailed;
}

int done(Context& ctx, MacroStoreResult r, const std::string& name) {
    return keys::succeeded(r) ? kExitOk : failed(ctx, r, name);
}

int macroList(Context& ctx, const std::string& kind) {
    StoreAccess access(ctx.users, kind);
    std::vector<keys::Macro> macros;
    if (const MacroStoreResult r = access.store.readMacros(macros); !keys::succeeded(r))
        return failed(ctx, r, {});
    ctx.out << access.store.indexPath().string() << ": " << macros.size()
            << (macros.size() == 1 ? " macro\n" : " macros\n");
    for (std::size_t i = 0; i < macros.size(); ++i)
        ctx.out << "  " << i << " " << macros[i].name << " (" << macros[i].actions.size()
                << (macros[i].actions.size() == 1 ? " action)\n" : " actions)\n");
    return kExitOk;
}

// Position of a name in the store, or -1 (told to the user).
int positionOf(Context& ctx, MacroStore& store, const std::string& name) {
    std::vector<std::string> names;
    if (const MacroStoreResult r = store.readNames(names); !keys::succeeded(r)) {
        (void)failed(ctx, r, name);
        return -1;
    }
    const int at = keys::findMacroName(names, name);
    if (at < 0)
        (void)failed(ctx, MacroStoreResult::noSuchMacro, name);
    return at;
}

int macroShow(Context& ctx, const std::string& kind, const std::string& name) {
    StoreAccess access(ctx.users, kind);
    if (positionOf(ctx, access.store, name) < 0)
        return kExitFailed;
    std::vector<keys::MacroAction> actions;
    if (const MacroStoreResult r = access.store.readActions(name, actions); !keys::succeeded(r))
        return failed(ctx, r, name);
    for (std::size_t i = 0; i < actions.size(); ++i)
        ctx.out << i << " " << keys::formatMacroAction(actions[i]) << "  (pause "
                << actions[i].pauseMs() << " ms)\n";
    return kExitOk;
}

int macroAdd(Context& ctx, const std::string& kind, std::string name) {
    StoreAccess access(ctx.users, kind);
    if (name.empty()) {
        std::vector<std::string> names;
        if (const MacroStoreResult r = access.store.readNames(names); !keys::succeeded(r))
            return failed(ctx, r, name);
        name = keys::nextMacroName(names);
    }
    const MacroStoreResult r = access.store.add(name);
    if (keys::succeeded(r))
        ctx.out << "added " << name << "\n";
    return done(ctx, r, name);
}

int macroDelete(Context& ctx, const std::string& kind, const std::string& name) {
    StoreAccess access(ctx.users, kind);
    const int at = positionOf(ctx, access.store, name);
    if (at < 0)
        return kExitFailed;
    return done(ctx, access.store.remove(std::size_t(at)), name);
}

int macroRename(Context& ctx, const std::string& kind, const std::string& from,
                const std::string& to) {
    StoreAccess access(ctx.users, kind);
    const int at = positionOf(ctx, access.store, from);
    if (at < 0)
        return kExitFailed;
    std::vector<keys::MacroAction> actions;
    if (const MacroStoreResult r = access.store.readActions(from, actions); !keys::succeeded(r))
        return failed(ctx, r, from);
    return done(ctx, access.store.rename(std::size_t(at), to, actions), to);
}

int macroImport(Context& ctx, const std::string& kind, const std::string& file) {
    StoreAccess access(ctx.users, kind);
    std::string name;
    const MacroStoreResult r = access.store.importFile(file, name);
    if (keys::succeeded(r))
        ctx.out << "imported " << name << "\n";
    return done(ctx, r, r == MacroStoreResult::noSuchMacro ? file : name);
}

int macroExport(Context& ctx, const std::string& kind, const std::string& name,
                const std::string& file) {
    StoreAccess access(ctx.users, kind);
    return done(ctx, access.store.exportFile(name, file), name);
}

int macroImage(Context& ctx, const std::string& kind) {
    StoreAccess access(ctx.users, kind);
    std::vector<keys::Macro> macros;
    if (const MacroStoreResult r = access.store.readMacros(macros); !keys::succeeded(r))
        return failed(ctx, r, {});
    const keys::ActionTableBuild build =
        keys::buildMacroTableImage(macros, keys::kMaxActionTableBytes);
    switch (build.result) {
        case keys::ActionTableResult::empty:
            ctx.out << "(no macros: no image is sent)\n";
            return kExitOk;
        case keys::ActionTableResult::tooManyLists:
            ctx.err << "quillonctl: more than " << keys::kMaxMacros << " macros in the store\n";
            return kExitFailed;
        case keys::ActionTableResult::tooLarge:
            ctx.err << "quillonctl: the image would take " << build.size
                    << " bytes, more than its size field can state\n";
            return kExitFailed;
        case keys::ActionTableResult::ok:
            break;
    }
    const std::span<const std::uint8_t> image(build.image);
    for (std::size_t at = 0; at < image.size(); at += kImageBytesPerLine)
        ctx.out << hexBytes(image.subspan(at, std::min(kImageBytesPerLine, image.size() - at)))
                << "\n";
    return kExitOk;
}

}  // namespace

void addMacroCommands(CommandSetup& setup) {
    CLI::App* group = setup.command(nullptr, "macro", "the macro stores of the data folder");
    group->require_subcommand(1);
    const std::vector<std::string> kinds{"keyboard", "mouse"};

    struct Args {
        std::string kind;
        std::string name;
        std::string other;
    };
    // One set of arguments per command: CLI11 fills only the chosen one's.
    auto command = [&](const std::string& name, const std::string& summary) {
        auto args = std::make_shared<Args>();
        CLI::App* c = setup.command(group, name, summary);
        setup.choice(c, "kind", args->kind, kinds, "keyboard or mouse")->required();
        return std::pair{c, args};
    };

    auto [list, listArgs] = command("list", "list the macros in store order, with their actions");
    setup.onRun(
        list, [a = listArgs](Context& ctx) { return macroList(ctx, a->kind); }, false);

    auto [show, showArgs] = command("show", "print a macro's actions in their text form");
    show->add_option("name", showArgs->name, "the macro's name")->required();
    setup.onRun(
        show, [a = showArgs](Context& ctx) { return macroShow(ctx, a->kind, a->name); }, false);

    auto [add, addArgs] =
        command("add", "add an empty macro (named Macro_n when no name is given)");
    add->add_option("name", addArgs->name, "the new macro's name");
    setup.onRun(
        add, [a = addArgs](Context& ctx) { return macroAdd(ctx, a->kind, a->name); }, false);

    auto [del, delArgs] = command("delete",
                                  "delete a macro and its file (key maps are left to the window, "
                                  "which moves the keys of later macros down)");
    del->add_option("name", delArgs->name, "the macro's name")->required();
    setup.onRun(
        del, [a = delArgs](Context& ctx) { return macroDelete(ctx, a->kind, a->name); }, false);

    auto [rename, renameArgs] = command("rename", "rename a macro; it keeps its position");
    rename->add_option("name", renameArgs->name, "the macro's name")->required();
    rename->add_option("new-name", renameArgs->other, "its new name")->required();
    setup.onRun(
        rename,
        [a = renameArgs](Context& ctx) { return macroRename(ctx, a->kind, a->name, a->other); },
        false);

    auto [importCmd, importArgs] =
        command("import", "add a \".mac\" file of the store's format under its base name");
    setup.file(importCmd, "file", importArgs->other, "the .mac file")->required();
    setup.onRun(
        importCmd, [a = importArgs](Context& ctx) { return macroImport(ctx, a->kind, a->other); },
        false);

    auto [exportCmd, exportArgs] = command("export", "write a macro's \".mac\" file to FILE");
    exportCmd->add_option("name", exportArgs->name, "the macro's name")->required();
    setup.file(exportCmd, "file", exportArgs->other, "the file to write")->required();
    setup.onRun(
        exportCmd,
        [a = exportArgs](Context& ctx) { return macroExport(ctx, a->kind, a->name, a->other); },
        false);

    auto [image, imageArgs] =
        command("image", "the macro table image, in hex, as it would be sent to the device");
    setup.onRun(
        image, [a = imageArgs](Context& ctx) { return macroImage(ctx, a->kind); }, false);
}

}  // namespace quillon::cli
