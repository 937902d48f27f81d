// pattern show|import|export|write: the mouse's four movement patterns, kept
// in its data folder as the pattern page keeps them, and written to the mouse.

#include <memory>
#include <string>

#include "cli/command_groups.h"
#include "cli/device_connect.h"
#include "keys/macro_store.h"
#include "keys/pattern_shot.h"
#include "keys/pattern_store.h"

namespace quillon::cli {
namespace {

using keys::PatternFileResult;

struct PatternAccess {
    profiles::ProfileFolders folders;
    profiles::IniStore ini;
    keys::PatternStore store;
    // The program's start-up gives the mouse's store its pattern names and the
    // factory pattern files; so does every pattern command.
    explicit PatternAccess(const platform::UserFolders& users)
        : folders(users), store(folders, ini) {
        keys::MacroStore macros(folders, ini, keys::kMouseMacroStore);
        static_cast<void>(macros.preparePatterns(  // a failure shows in the command's own step
            [this](std::string_view name) { return folders.programFile(name); }));
    }
};

int failed(Context& ctx, PatternFileResult r, int number) {
    std::string text;
    switch (r) {
        case PatternFileResult::tooManyActions:
            text = ctx.texts.text("message_text_18");
            break;
        case PatternFileResult::missing:
            text = "pattern " + std::to_string(number) + ": " + ctx.texts.text("message_text_8");
            break;
        case PatternFileResult::unreadable:
            text = ctx.texts.text("message_text_9");
            break;
        case PatternFileResult::noSuchPattern:
            text = "pattern " + std::to_string(number) + " has no file name that can be used";
            break;
        case PatternFileResult::noFolder:
            text = "there is no Documents folder to keep patterns in";
            break;
        case PatternFileResult::writeFailed:
        case PatternFileResult::ok:
            text = ctx.texts.text("message_text_20");
            break;
    }
    ctx.err << "quillonctl: " << text << "\n";
    return kExitFailed;
}

int patternShow(Context& ctx) {
    PatternAccess access(ctx.users);
    for (int k = 0; k < keys::kMovementPatternCount; ++k) {
        keys::PatternList actions;
        const PatternFileResult r = access.store.read(k, actions);
        ctx.out << "pattern " << k + 1 << "  " << access.store.patternPath(k).filename().string()
                << "  ";
        if (r != PatternFileResult::ok) {
            ctx.out << "(no readable file)\n";
            continue;
        }
        ctx.out << actions.size() << " actions";
        // The first shots as the editor shows them: pause, x, y.
        for (int s = 0; s < 3; ++s) {
            const auto shot = keys::loadShot(actions, s);
            if (!shot)
                break;
            ctx.out << (s == 0 ? ": " : ", ") << shot->pauseMs << " ms";
            if (shot->x)
                ctx.out << " " << (shot->x->negative ? "-" : "+") << int(shot->x->distance);
            if (shot->y)
                ctx.out << "/" << (shot->y->negative ? "-" : "+") << int(shot->y->distance);
        }
        ctx.out << "\n";
    }
    return kExitOk;
}

int patternImport(Context& ctx, int number, const std::string& file) {
    PatternAccess access(ctx.users);
    if (const PatternFileResult r = access.store.importFile(number - 1, file);
        r != PatternFileResult::ok)
        return failed(ctx, r, number);
    ctx.out << "pattern " << number << " imported\n";
    return kExitOk;
}

int patternExport(Context& ctx, int number, const std::string& file) {
    PatternAccess access(ctx.users);
    if (const PatternFileResult r = access.store.exportFile(number - 1, file);
        r != PatternFileResult::ok)
        return failed(ctx, r, number);
    return kExitOk;
}

int patternWrite(Context& ctx) {
    PatternAccess access(ctx.users);
    const keys::ActionTableBuild build = access.store.buildImage();
    if (build.result == keys::ActionTableResult::empty) {
        ctx.err << "quillonctl: there are no patterns to write\n";
        return kExitFailed;
    }
    if (build.result != keys::ActionTableResult::ok) {
        ctx.err << "quillonctl: " << ctx.texts.text("message_text_7") << "\n";
        return kExitFailed;
    }
    link::DeviceLink link(ctx.backend);
    if (!connectDevice(ctx, link, link::DeviceKind::mouse))
        return kExitFailed;
    if (const link::Status s = keys::writePatternImage(link, build.image); !link::succeeded(s))
        return reportFailure(ctx, "writing the patterns", s);
    ctx.out << "patterns written: " << build.image.size() << " bytes\n";
    return kExitOk;
}

}  // namespace

void addPatternCommands(CommandSetup& setup) {
    CLI::App* pattern = setup.command(nullptr, "pattern", "the mouse's four movement patterns");
    pattern->require_subcommand(1);
    CLI::App* show = setup.command(pattern, "show", "list the patterns and their first shots");
    setup.onRun(show, patternShow, false);

    auto number = std::make_shared<int>(1);
    auto file = std::make_shared<std::string>();
    CLI::App* import =
        setup.command(pattern, "import", "replace pattern N with a pattern file (.cur)");
    import->add_option("number", *number, "the pattern, 1..4")->required()->check(CLI::Range(1, 4));
    setup.file(import, "file", *file, "the pattern file")->required();
    setup.onRun(
        import, [number, file](Context& ctx) { return patternImport(ctx, *number, *file); }, false);

    auto exportNumber = std::make_shared<int>(1);
    auto exportFile = std::make_shared<std::string>();
    CLI::App* exported = setup.command(pattern, "export", "save pattern N to a file");
    exported->add_option("number", *exportNumber, "the pattern, 1..4")
        ->required()
        ->check(CLI::Range(1, 4));
    setup.file(exported, "file", *exportFile, "where to save it")->required();
    setup.onRun(
        exported,
        [exportNumber, exportFile](Context& ctx) {
            return patternExport(ctx, *exportNumber, *exportFile);
        },
        false);

    CLI::App* write = setup.command(pattern, "write", "write the four patterns to the mouse");
    setup.onRun(write, patternWrite, true);
}

}  // namespace quillon::cli
