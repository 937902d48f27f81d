// libFuzzer target: macro table images built from random stores. The input is
// an index file's text, then the texts of macro files in store order, split at
// each "\n--\n". A built image reads back to the stores' actions; one that does
// not fit is refused with the size it would need.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "keys/macro_store.h"
#include "keys/macro_table_image.h"

using namespace quillon::keys;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    for (std::size_t cut; (cut = input.find("\n--\n")) != std::string_view::npos;) {
        parts.push_back(input.substr(0, cut));
        input.remove_prefix(cut + 4);
    }
    parts.push_back(input);

    quillon::profiles::IniDocument index;
    (void)index.parse(parts[0]);
    std::vector<Macro> macros;
    for (std::string& name : macroNamesFromDocument(index)) {
        Macro macro{std::move(name), {}};
        const std::size_t file = macros.size() + 1;
        quillon::profiles::IniDocument document;
        if (file < parts.size() && document.parse(parts[file]))
            macro.actions = macroActionsFromDocument(document);
        macros.push_back(std::move(macro));
    }

    const std::size_t memory = (size % 256) * 128;
    const ActionTableBuild build = buildMacroTableImage(macros, memory);
    switch (build.result) {
        case ActionTableResult::empty:
            if (!macros.empty())
                std::abort();
            return 0;
        case ActionTableResult::tooManyLists:
            if (macros.size() <= kMaxMacros)
                std::abort();
            return 0;
        case ActionTableResult::tooLarge:
            if (build.size <= memory && build.size <= kMaxActionTableBytes)
                std::abort();
            return 0;
        case ActionTableResult::ok:
            break;
    }
    if (build.image.size() != build.size || build.size > memory)
        std::abort();
    const auto lists = readActionTableImage(build.image, kMaxMacros, SIZE_MAX, memory);
    if (!lists || lists->size() != macros.size())
        std::abort();
    for (std::size_t i = 0; i < macros.size(); ++i) {
        if ((*lists)[i].size() != macros[i].actions.size())
            std::abort();
        for (std::size_t j = 0; j < macros[i].actions.size(); ++j) {
            if ((*lists)[i][j] != macroActionDeviceBytes(macros[i].actions[j]))
                std::abort();
        }
    }
    return 0;
}
