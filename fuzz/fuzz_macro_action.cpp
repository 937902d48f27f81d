// libFuzzer target: the macro action text form of any bytes. An accepted text
// formats to a text that reads back to the same action, and its device bytes
// read back to the same four fields.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "keys/macro_action.h"

using namespace quillon::keys;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto action = parseMacroAction(text);
    if (!action)
        return 0;
    const auto again = parseMacroAction(formatMacroAction(*action));
    if (!again || *again != *action)
        std::abort();
    const MacroAction fromDevice = macroActionFromDeviceBytes(macroActionDeviceBytes(*action));
    if (fromDevice.pauseUnits() != action->pauseUnits() || fromDevice.kind != action->kind ||
        fromDevice.code != action->code)
        std::abort();
    (void)macroActionRow(*action);
    return 0;
}
