#pragma once

// The name of what a key does, as the key views show it: language keys
// (joined with "+" for a key with modifiers), or a macro's own name.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_assignment.h"

namespace quillon::keys {

struct AssignmentLabel {
    std::vector<std::string_view> languageKeys;  // shown translated, joined with "+"
    std::string macroName;                       // shown as it is, when not empty

    friend bool operator==(const AssignmentLabel&, const AssignmentLabel&) = default;
};

// The text shown for an assignment that is not one of the functions.
inline constexpr std::string_view kNoFunctionLabel = "关闭";

// nullopt: the label stays as it is (a device-defined type, or nothing in
// the tables matches). A stored type 0 is named like a key. `macroNames`
// are the kind's macros in list order.
std::optional<AssignmentLabel> assignmentLabel(const KeyAssignment& a,
                                               std::span<const std::string> macroNames);

using Translate = std::function<std::string(std::string_view languageKey)>;
std::string labelText(const AssignmentLabel& label, const Translate& translate);

}  // namespace quillon::keys
