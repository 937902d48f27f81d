// libFuzzer target: a control's background image text, any bytes. The file
// it names is always a part of the text and never holds the quote.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skin/image_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string_view file = quillon::skin::imageFile(text);
    if (!file.empty() &&
        (file.data() < text.data() || file.data() + file.size() > text.data() + text.size()))
        std::abort();
    if (file.find('\'') != std::string_view::npos)
        std::abort();
    return 0;
}
