// quillonctl: the program's core from the command line.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "emu/demo_devices.h"
#include "emu/virtual_bus.h"
#include "platform/hid/linux/hidraw_backend.h"
#include "platform/program_instance.h"

int main(int argc, char** argv) {
    using namespace quillon;
    std::vector<std::string> words(argv + 1, argv + argc);
    // `--demo PRODUCTS`: the list is taken here, so the command line proper
    // sees a plain flag.
    std::vector<emu::DemoProduct> demoProducts(emu::kDefaultDemoProducts.begin(),
                                               emu::kDefaultDemoProducts.end());
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        if (words[i] != "--demo" || !emu::looksLikeDemoList(words[i + 1]))
            continue;
        const emu::DemoList list = emu::parseDemoList(words[i + 1]);
        if (list.error != emu::DemoListError::none) {
            std::cerr << "quillonctl: --demo: " << emu::describeProblem(list) << "\n";
            return 2;
        }
        demoProducts = list.products;
        words.erase(words.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        break;
    }

    std::unique_ptr<platform::HidBackend> backend;
    const platform::LinuxUserFolders users;
    const cli::Environment env{std::cout, std::cerr, users,
                               [&backend, &demoProducts](bool demo) -> platform::HidBackend& {
                                   if (demo) {
                                       auto bus = std::make_unique<emu::VirtualBus>();
                                       emu::attachDemoDevices(*bus, demoProducts);
                                       backend = std::move(bus);
                                   } else {
                                       backend = platform::makeHidrawBackend();
                                   }
                                   return *backend;
                               },
                               [] { return platform::lockFileHeld(platform::programLockFile()); }};
    return cli::runCommandLine(words, env);
}
