// quillonctl: the program's core from the command line.

#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "cli/file_trace.h"
#include "cli/shell_completion.h"
#include "emu/demo_devices.h"
#include "emu/virtual_bus.h"
#include "platform/hid/linux/hidraw_backend.h"

namespace {

constexpr const char* kUsage =
    "usage: quillonctl [--demo [PRODUCTS]] [--trace FILE] COMMAND [ARGS]\n"
    "\n"
    "Options:\n"
    "  --demo        use emulated devices instead of the ones plugged in:\n"
    "                PRODUCTS, comma-separated (e.g. keyboard-onecolour,mouse-2),\n"
    "                or an RGB keyboard, a mouse and the mousepad\n"
    "  --trace FILE  write every report sent and received to FILE\n"
    "                (one line each: W or R, a space, 128 hex digits)\n"
    "  --help        show this text\n"
    "\n"
    "Commands:\n";

void printHelp(std::ostream& out) {
    out << kUsage;
    for (const quillon::cli::CommandEntry& c : quillon::cli::commandTable())
        out << "  " << c.synopsis << "\n      " << c.summary << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quillon;
    bool demo = false;
    std::vector<emu::DemoProduct> demoProducts(emu::kDefaultDemoProducts.begin(),
                                               emu::kDefaultDemoProducts.end());
    std::string tracePath;
    std::vector<std::string> rest;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (!rest.empty()) {
            rest.push_back(a);
        } else if (a == "--demo") {
            demo = true;
            if (i + 1 < argc && emu::looksLikeDemoList(argv[i + 1])) {
                const emu::DemoList list = emu::parseDemoList(argv[++i]);
                if (list.error != emu::DemoListError::none) {
                    std::cerr << "quillonctl: --demo: " << emu::describeProblem(list) << "\n";
                    return 2;
                }
                demoProducts = list.products;
            }
        } else if (a == "--trace") {
            if (i + 1 >= argc) {
                std::cerr << "quillonctl: --trace needs a file name\n";
                return 2;
            }
            tracePath = argv[++i];
        } else if (a == "--help" || a == "-h") {
            printHelp(std::cout);
            return 0;
        } else if (a.starts_with("-")) {
            std::cerr << "quillonctl: unknown option '" << a << "' (see --help)\n";
            return 2;
        } else {
            rest.push_back(a);
        }
    }
    if (rest.empty()) {
        printHelp(std::cerr);
        return 2;
    }
    // Hidden from --help: the build runs it to generate the installed scripts.
    if (rest[0] == "completion")
        return cli::printCompletion(cli::commandTable(), cli::Args(rest).subspan(1), std::cout,
                                    std::cerr);

    std::unique_ptr<cli::FileTrace> trace;
    if (!tracePath.empty()) {
        trace = std::make_unique<cli::FileTrace>(tracePath);
        if (!trace->ok()) {
            std::cerr << "quillonctl: cannot write the trace file '" << tracePath
                      << "': " << std::strerror(errno) << "\n";
            return 1;
        }
    }

    std::unique_ptr<platform::HidBackend> backend;
    if (demo) {
        auto bus = std::make_unique<emu::VirtualBus>();
        emu::attachDemoDevices(*bus, demoProducts);
        backend = std::move(bus);
    } else {
        backend = platform::makeHidrawBackend();
    }

    cli::Context ctx{*backend, trace.get(), demo, std::cout, std::cerr};
    return cli::runCommand(ctx, rest);
}
