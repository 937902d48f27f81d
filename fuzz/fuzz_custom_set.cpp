// libFuzzer target: custom colour set files of any bytes. The reader accepts
// exactly one set or refuses; an accepted hex text reads back from its own
// hex form.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lighting/custom_set_text.h"

using namespace quillon::lighting;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto set = parseCustomSet(text);
    if (!set)
        return 0;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::uint8_t b : *set) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
        hex += ' ';
    }
    const auto again = parseCustomSet(hex);
    if (!again || *again != *set)
        std::abort();
    return 0;
}
