// libFuzzer target: any bytes as an answer of the update service, read for
// the product version and the registration code, and the version turned into
// the labels the update window shows.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "update/service_answer.h"
#include "update/version_numbers.h"

using namespace quillon::update;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    if (const auto version = answerVersionText(answer)) {
        const int number = dottedNumber(*version);
        if (number < 0)
            std::abort();
        const std::string label = versionLabel(std::to_string(number));
        if (label.size() > 16)  // "V" + at most ten digits + two dots
            std::abort();
        (void)versionLabel(*version);
    }
    if (const auto code = answerResultCode(answer); code && *code < 0)
        std::abort();
    return 0;
}
