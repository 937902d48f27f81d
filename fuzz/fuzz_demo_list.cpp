// libFuzzer target: the product list of --demo, any bytes. A list that parses
// names known products, at most one of each kind; one that does not names the
// name at fault and plugs nothing.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "emu/demo_devices.h"

using namespace quillon::emu;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DemoList list = parseDemoList(text);
    if (list.error == DemoListError::none) {
        if (list.products.empty() || list.products.size() > 3)
            std::abort();
        for (std::size_t i = 0; i < list.products.size(); ++i)
            for (std::size_t j = i + 1; j < list.products.size(); ++j)
                if (list.products[i].kind == list.products[j].kind)
                    std::abort();
    } else if (!list.products.empty() || describeProblem(list).empty() ||
               list.name.size() > text.size()) {
        std::abort();
    }
    (void)looksLikeDemoList(text);
    return 0;
}
