// quillonctl: the program's core from the command line.

#include <iostream>
#include <memory>

#include "cli/command_line.h"
#include "emu/demo_devices.h"
#include "emu/virtual_bus.h"
#include "platform/hid/linux/hidraw_backend.h"
#include "platform/program_instance.h"

int main(int argc, char** argv) {
    using namespace quillon;
    std::unique_ptr<platform::HidBackend> backend;
    const platform::LinuxUserFolders users;
    const cli::Environment env{std::cout, std::cerr, users,
                               [&backend](bool demo) -> platform::HidBackend& {
                                   if (demo) {
                                       auto bus = std::make_unique<emu::VirtualBus>();
                                       emu::attachDemoDevices(*bus);
                                       backend = std::move(bus);
                                   } else {
                                       backend = platform::makeHidrawBackend();
                                   }
                                   return *backend;
                               },
                               [] { return platform::lockFileHeld(platform::programLockFile()); }};
    return cli::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), env);
}
