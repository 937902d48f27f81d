// libFuzzer target: language files and language lists of any bytes. The
// reader must refuse or accept, never crash, and a refused file must leave
// the table as it was.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "skin/language_file.h"

using namespace quillon::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    LanguageTable table;
    if (table.parse(R"(<language code="en"><text key="k">v</text></language>)") !=
        LanguageLoad::ok) {
        std::abort();
    }
    if (table.parse(text) != LanguageLoad::ok) {
        const std::string* kept = table.find("k");
        if (kept == nullptr || *kept != "v")
            std::abort();
    } else if (table.size() > MAX_LANGUAGE_TEXTS) {
        std::abort();
    }
    std::vector<LanguageEntry> list;
    if (parseLanguageList(text, list) == LanguageLoad::ok) {
        for (const LanguageEntry& e : list) {
            if (e.file.find('/') != std::string::npos || e.file == "..")
                std::abort();
        }
    }
    return 0;
}
