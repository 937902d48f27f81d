// libFuzzer target: a desktop entry's text, any bytes. The program of its Exec
// line, written back as an Exec line of a fresh entry, reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/autostart_entry.h"
#include "platform/foreground/app_id_executable.h"

using namespace quillon::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string program = desktopEntryProgram(text);
    // "env" itself would be read as the prefix it usually is.
    if (program.empty() || std::filesystem::path(program).filename() == "env")
        return 0;
    const std::string entry = "[Desktop Entry]\nExec=" + desktopExecArgument(program) + " %U\n";
    if (desktopEntryProgram(entry) != program)
        std::abort();
    return 0;
}
