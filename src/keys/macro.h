#pragma once

// A named macro of one device kind and the rules for its names.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keys/macro_action.h"

namespace quillon::keys {

// Macros per device kind; key assignments refer to a macro by its position.
inline constexpr std::size_t kMaxMacros = 50;
inline constexpr std::string_view kMacroNamePrefix = "Macro_";
inline constexpr std::string_view kMacroFileExtension = ".mac";

struct Macro {
    std::string name;
    std::vector<MacroAction> actions;

    bool operator==(const Macro&) const = default;
};

// ASCII letters without regard to case, as the store's names compare.
bool sameMacroName(std::string_view a, std::string_view b);
// Position of the first name equal to `name` without regard to case, or -1.
int findMacroName(std::span<const std::string> names, std::string_view name);

// "Macro_n" for a new macro: n starts at the count + 1 and goes up while a
// name is taken (Macro_1, Macro_3 → Macro_4).
std::string nextMacroName(std::span<const std::string> names);

}  // namespace quillon::keys
