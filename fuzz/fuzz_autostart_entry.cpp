// libFuzzer target: the text of an autostart entry, any bytes. Reading never
// fails; a toggle that may write turns the entry the other way, and a second
// one turns it back; a text that is no entry of ours is never written over.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/autostart_entry.h"

using namespace quillon::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const bool on = entryStartsProgram(text);
    const std::optional<std::string> turned = toggledEntry(text, "/usr/bin/quillon-gaming");
    if (!turned) {
        if (on)
            std::abort();  // an entry that starts the program can always be turned off
        return 0;
    }
    if (entryStartsProgram(*turned) == on)
        std::abort();
    const std::optional<std::string> back = toggledEntry(*turned, "/usr/bin/quillon-gaming");
    if (!back || entryStartsProgram(*back) != on)
        std::abort();
    return 0;
}
