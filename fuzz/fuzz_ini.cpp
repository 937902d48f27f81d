// libFuzzer target: INI text of any bytes read with the private-profile rules.
// The first byte picks which of a few section and key names are asked for.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "profiles/ini_file.h"

using namespace quillon::profiles;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::string_view kSections[] = {"PROFILEDENGCOUNT", "PROFILENAME",
                                                     "MACROACTION", "S", ""};
    static constexpr std::string_view kKeys[] = {"count", "0", "select", "k", ""};
    const std::uint8_t pick = size ? data[0] : 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string value = readIniString(text, kSections[pick % 5], kKeys[(pick / 5) % 5]);
    // A read never holds more than 259 characters, and numbers never go negative.
    std::size_t characters = 0;
    for (unsigned char c : value)
        characters += (c & 0xC0) != 0x80;
    if (characters > kIniValueCapacity - 1)
        std::abort();
    if (leadingDecimal(value) < 0 || leadingDecimal(text) < 0)
        std::abort();
    (void)cutToValueCapacity(text);
    return 0;
}
