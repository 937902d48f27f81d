// libFuzzer target: key assignments written as text (quillonctl keymap set).
// Whatever the parser accepts has a text form that reads back to the same
// bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "keys/assignment_text.h"

using namespace quillon::keys;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = parseAssignmentText(text);
    if (!parsed || parsed->factoryDefault)
        return 0;
    const auto written = assignmentTextOf(parsed->assignment);
    if (!written)
        std::abort();
    const auto again = parseAssignmentText(*written);
    if (!again || again->assignment != parsed->assignment)
        std::abort();
    return 0;
}
