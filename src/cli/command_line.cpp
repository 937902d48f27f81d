#include "cli/command_line.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include "cli/command_groups.h"
#include "cli/file_trace.h"

namespace quillon::cli {
namespace {

int usageError(const Environment& env, const CLI::Error& e) {
    env.err << "quillonctl: " << e.what() << "\nRun 'quillonctl --help' for the commands.\n";
    return kExitUsage;
}

}  // namespace

int runCommandLine(const std::vector<std::string>& words, const Environment& env) {
    CLI::App app{"quillonctl: the configuration program's core from the command line",
                 "quillonctl"};
    app.require_subcommand(1);
    CommandSetup setup(app);
    bool demo = false;
    std::string tracePath;
    app.add_flag("--demo", demo, "use emulated devices instead of the ones plugged in");
    setup.file(&app, "--trace", tracePath,
               "write every report sent and received to FILE (one line each: W or R, a blank, "
               "128 hex digits)");

    addDeviceCommands(setup);
    addKeymapCommands(setup);
    addStatusCommand(setup);
    addProfilesCommands(setup);
    addEffectCommands(setup);
    addDpiCommands(setup);
    addSlotCommands(setup);
    addPatternCommands(setup);
    addUpdateCommands(setup);
    addMacroCommands(setup);
    addConfigCommands(setup);
    addCompletionCommand(setup);

    std::vector<std::string> reversed(words.rbegin(), words.rend());  // CLI11 takes them backwards
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, env.out, env.err);
    } catch (const CLI::ParseError& e) {
        return usageError(env, e);
    }
    if (!setup.action()) {
        env.err << "quillonctl: no command given\nRun 'quillonctl --help' for the commands.\n";
        return kExitUsage;
    }
    // Every hidraw reader sees every answer: two programs asking one device
    // would take each other's answers.
    if (setup.talksToDevices() && !demo && env.programRunning && env.programRunning()) {
        env.err << "quillonctl: Quillon Gaming Software is running and owns the devices; quit "
                   "it from its tray menu first (or add --demo for the emulated devices)\n";
        return kExitDevicesBusy;
    }

    std::unique_ptr<FileTrace> trace;
    if (!tracePath.empty()) {
        trace = std::make_unique<FileTrace>(tracePath);
        if (!trace->ok()) {
            env.err << "quillonctl: cannot write the trace file '" << tracePath
                    << "': " << std::strerror(errno) << "\n";
            return kExitFailed;
        }
    }

    const MessageTexts texts(env.users);
    Context ctx{env.backend(demo), trace.get(), demo, env.users, texts, env.out, env.err};
    int code = setup.action()(ctx);

    std::string error;
    if (trace && !trace->finish(error)) {
        env.err << "quillonctl: writing the trace file '" << tracePath << "' failed: " << error
                << "\n";
        code = code == kExitOk ? kExitFailed : code;
    }
    env.out.flush();
    if (!env.out) {
        env.err << "quillonctl: writing the output failed\n";
        code = code == kExitOk ? kExitFailed : code;
    }
    return code;
}

}  // namespace quillon::cli
