// libFuzzer target: INI text of any bytes read with the private-profile rules,
// and as a parsed profile index. The first byte picks which of a few section
// and key names are asked for.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "profiles/ini_file.h"
#include "profiles/profile_index.h"

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

    // A parsed index: its count never exceeds the names present or the cap,
    // and what it writes back parses to the same lists.
    IniDocument document;
    if (!document.parse(text))
        return 0;
    for (const auto& list : kProfileLists) {
        ListEntries entries(document, list);
        const int count = entries.count();
        if (count < 0 || count > kMaxProfileCount)
            std::abort();
    }
    IniDocument again;
    if (!again.parse(document.text()))
        std::abort();
    for (const auto& list : kProfileLists) {
        ListEntries before(document, list), after(again, list);
        if (before.count() != after.count() || before.select() != after.select())
            std::abort();
    }
    return 0;
}
